#include "core/appfolder.h"
#include "tempappfolder.h"
#include "testmain.h"
#include "travel/explorer.h"
#include "travel/travelharvest.h"

#include <QTest>
#include <QUrl>
#include <random>

namespace {

// A small web: two hosts, a place on the same page, a page whose only link leaves the site and a
// page without links.
const QHash<QString, QStringList> web = {
    {"http://a/1", {"http://a/1#top", "http://a/2", "http://b/1", "http://a/3"}},
    {"http://a/2", {"http://a/1", "http://a/2#x", "http://a/4", "http://a/2"}},
    {"http://a/3", {"http://b/1"}},
    {"http://a/4", {}},
    {"http://b/1", {"http://a/1", "http://b/2"}},
    {"http://b/2", {"http://b/1#y"}},
    {"http://a/5", {"http://a/5#top"}},
    // A page three links lead to, beside one that one link leads to; and a page without links.
    {"http://c/1", {"http://c/2", "http://c/3", "http://c/3#a", "http://c/3#b", "http://c/4"}},
    {"http://c/2", {}},
};

ExplorerOptions optionsOf(int mask)
{
    ExplorerOptions options;
    for (size_t i = 0; i < explorerFlags.size(); ++i)
        options.*explorerFlags[i] = mask & (1 << i);
    return options;
}

struct Seeded
{
    std::mt19937 generator{2026};
    Explorer::Uniform uniform() { return [this] { return std::uniform_real_distribution(0.0, 1.0)(generator); }; }
};

} // namespace

class tst_Explorer : public QObject
{
    Q_OBJECT
private slots:
    // With every option off the choice is the plain walk's: the same slot for the same draw, the
    // previous page's links for a page without any, nothing before any page had links.
    void allOffIsThePlainWalk()
    {
        Explorer explorer;
        std::array<QString, 501> harvested;
        int earlier = 0;
        Seeded seeded;
        const QStringList pages = {"http://a/1", "http://a/4", "http://a/2", "http://a/4", "http://a/3"};
        QCOMPARE(explorer.choose("http://a/4", {}, {}, seeded.uniform()), QString());
        for (int round = 0; round < 40; ++round) {
            const QString &page = pages[round % pages.size()];
            const int count = TravelHarvest::harvest(web[page], harvested);
            earlier = count >= 1 ? count : earlier;
            const double r = seeded.uniform()();
            const QString expected = harvested[TravelHarvest::pickIndex(r, earlier)];
            const QStringList pageLinks(harvested.begin() + 1, harvested.begin() + 1 + count);
            const QStringList earlierLinks(harvested.begin() + 1, harvested.begin() + 1 + earlier);
            QCOMPARE(explorer.choose(page, pageLinks, earlierLinks, [r] { return r; }), expected);
        }
    }

    void fixedDraws_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<QStringList>("visitedBefore");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("draw");
        QTest::addColumn<QString>("expected");
        const int same = 1, fresh = 2, site = 4, jump = 8;
        QTest::newRow("off: the place on the page") << 0 << QStringList{} << "http://a/1" << 0.0 << "http://a/1#top";
        QTest::newRow("places skipped") << same << QStringList{} << "http://a/1" << 0.0 << "http://a/2";
        QTest::newRow("new page preferred") << fresh << QStringList{"http://a/2", "http://b/1"} << "http://a/1"
                                            << 0.4 << "http://a/3";
        QTest::newRow("all visited: a visited one") << fresh << QStringList{"http://b/1", "http://b/2"} << "http://b/2"
                                                    << 0.0 << "http://b/1#y";
        QTest::newRow("all visited: a new page an earlier page offered")
            << fresh << QStringList{"http://a/1", "http://b/1"} << "http://b/2" << 0.0 << "http://a/3";
        QTest::newRow("only a place on the page: stop")
            << same << QStringList{"http://a/1"} << "http://a/5" << 0.0 << "";
        QTest::newRow("only a place on the page: a new page an earlier page offered")
            << (same | fresh) << QStringList{"http://a/1"} << "http://a/5" << 0.0 << "http://b/1";
        QTest::newRow("site kept") << (site | same) << QStringList{} << "http://a/1" << 0.99 << "http://a/3";
        QTest::newRow("dead end jumps to a page with new links")
            << jump << QStringList{"http://a/1", "http://a/4"} << "http://a/4" << 0.0 << "http://a/1";
        // The draw is over pages, not links: 0.6 falls on the second of two pages.
        QTest::newRow("a page many links lead to is drawn as one page")
            << fresh << QStringList{"http://c/1"} << "http://c/2" << 0.6 << "http://c/4";
        QTest::newRow("nothing left to jump to")
            << (jump | site) << QStringList{"http://a/3"} << "http://a/3" << 0.0 << "";
    }
    // visitedBefore: pages already shown by earlier steps, each offering its links of the web.
    void fixedDraws()
    {
        QFETCH(int, mask);
        QFETCH(QStringList, visitedBefore);
        QFETCH(QString, shown);
        QFETCH(double, draw);
        Explorer explorer;
        explorer.setOptions(optionsOf(mask));
        explorer.startOn("http://a/1");
        for (const QString &page : visitedBefore)
            explorer.choose(page, web[page], {}, [] { return 0.0; });
        QTEST(explorer.choose(shown, web[shown], {}, [draw] { return draw; }), "expected");
    }

    void everyCombination_data()
    {
        QTest::addColumn<int>("mask");
        for (int mask = 0; mask < 16; ++mask)
            QTest::newRow(qPrintable(QString::number(mask, 2).rightJustified(4, '0'))) << mask;
    }
    // A seeded walk from http://a/1; every step keeps each option that is on.
    void everyCombination()
    {
        QFETCH(int, mask);
        const ExplorerOptions options = optionsOf(mask);
        Explorer explorer;
        explorer.setOptions(options);
        explorer.startOn("http://a/1");
        Seeded seeded;
        QString shown = "http://a/1";
        QSet<QString> seen = {shown};
        QStringList earlier;
        for (int step = 0; step < 60; ++step) {
            const QStringList links = web[Explorer::pageOf(shown)];
            earlier = links.isEmpty() ? earlier : links;
            const QString pick = explorer.choose(shown, links, earlier, seeded.uniform());
            const auto candidatesOf = [&](const QStringList &offered) {
                QStringList candidates;
                for (const QString &link : offered) {
                    if (!(options.skipSamePage && Explorer::pageOf(link) == Explorer::pageOf(shown)) &&
                        !(options.stayOnSite && QUrl(link).host() != "a"))
                        candidates << link;
                }
                return candidates;
            };
            QStringList candidates = candidatesOf(links);
            if (candidates.isEmpty() && !options.jumpBackAtDeadEnd)
                candidates = candidatesOf(earlier);
            if (candidates.isEmpty()) {
                // A dead end: stop, go back to a page seen before or on to a new one.
                QVERIFY(pick.isEmpty() || (options.jumpBackAtDeadEnd && seen.contains(pick)) ||
                        (options.preferNewPages && !options.jumpBackAtDeadEnd && !seen.contains(Explorer::pageOf(pick))));
            } else {
                const bool anyNew = std::any_of(candidates.begin(), candidates.end(),
                                                [&](const QString &c) { return !seen.contains(Explorer::pageOf(c)); });
                if (options.preferNewPages && anyNew)
                    QVERIFY(!seen.contains(Explorer::pageOf(pick)));
                // Only a new page an earlier page offered is taken from off the page.
                QVERIFY2(candidates.contains(pick) ||
                             (options.preferNewPages && !anyNew && !seen.contains(Explorer::pageOf(pick))),
                         qPrintable(shown + " -> " + pick));
            }
            if (pick.isEmpty())
                break;
            shown = pick;
            seen.insert(Explorer::pageOf(pick));
        }
        // Skipping places and preferring new pages sees every page of the site it may reach.
        if (options.skipSamePage && options.preferNewPages && options.jumpBackAtDeadEnd)
            QCOMPARE(seen.size(), options.stayOnSite ? 4 : 6);
    }

    void samePageSpelling_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("page");
        QTest::newRow("place, dots, case, default port")
            << "HTTP://Docs.Example:80/a/./b/../c.html#x" << "http://docs.example/a/c.html";
        QTest::newRow("no path") << "https://docs.example:443" << "https://docs.example/";
        QTest::newRow("folder page") << "http://docs.example:8080/dir/index.html" << "http://docs.example:8080/dir/";
        QTest::newRow("folder page, query kept") << "http://docs.example/INDEX.HTM?x=1" << "http://docs.example/?x=1";
        QTest::newRow("a page that only ends like one")
            << "http://docs.example/myindex.html" << "http://docs.example/myindex.html";
        QTest::newRow("another port stays") << "https://docs.example:80/" << "https://docs.example:80/";
    }
    void samePageSpelling()
    {
        QFETCH(QString, address);
        QTEST(Explorer::pageOf(address), "page");
    }

    void optionsFileReads_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("mask");
        QTest::newRow("as written") << QByteArray(" 1\r\n 0\r\n 1\r\n 0\r\n") << 0b0101;
        QTest::newRow("plain LF, no blanks") << QByteArray("0\n1\n1\n1\n") << 0b1110;
        QTest::newRow("another number") << QByteArray(" 1\r\n 2\r\n 1\r\n 1\r\n") << 0;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\r\n\x01", 6) << 0;
    }
    void optionsFileReads()
    {
        QFETCH(QByteArray, content);
        TempAppFolder folder;
        folder.writeBytes("Data/TamzoExplorer.Opt", content);
        QFETCH(int, mask);
        QCOMPARE(ExplorerOptionsFile::read(AppFolder(folder.root())), optionsOf(mask));
    }

    void optionsFileKeepsEveryCombination()
    {
        TempAppFolder folder;
        folder.write("Data/keep", {});
        const AppFolder app(folder.root());
        QCOMPARE(ExplorerOptionsFile::read(app), ExplorerOptions());
        for (int mask = 0; mask < 16; ++mask) {
            QVERIFY(ExplorerOptionsFile::save(app, optionsOf(mask)).ok());
            QCOMPARE(ExplorerOptionsFile::read(app), optionsOf(mask));
        }
    }

    void optionsFileUnwritableIsReported()
    {
        TempAppFolder folder;
        const WriteResult saved = ExplorerOptionsFile::save(AppFolder(folder.root()), optionsOf(3));
        QVERIFY(!saved.ok());
        QVERIFY(saved.path().endsWith("TamzoExplorer.Opt"));
    }
};

TAMZO_TEST_MAIN(tst_Explorer)
#include "tst_explorer.moc"
