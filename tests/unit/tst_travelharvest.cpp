#include "travel/travelharvest.h"
#include "testmain.h"

#include <QTest>

class tst_TravelHarvest : public QObject
{
    Q_OBJECT
private slots:
    void accepts_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("https page") << "https://x/page" << true;
        QTest::newRow("http page") << "http://x/" << true;
        QTest::newRow("upper-case scheme") << "HTTP://X/page" << true;
        QTest::newRow("upper-case exe") << "HTTP://X/A.EXE" << false;
        QTest::newRow("feed") << "https://x/rss/feed" << false;
        QTest::newRow("zip inside") << "http://x/a.zip?x=1" << false;
        QTest::newRow("rar") << "http://x/a.RAR" << false;
        QTest::newRow("msi") << "http://x/setup.msi" << false;
        QTest::newRow("exe anywhere") << "http://x.exe.example/" << false;
        QTest::newRow("ftp") << "ftp://x/y" << false;
        QTest::newRow("script") << "javascript:void(0)" << false;
        QTest::newRow("mail") << "mailto:a@b" << false;
        QTest::newRow("relative") << "/page" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("rss without slashes") << "http://x/rssfeed" << true;
    }
    void accepts()
    {
        QFETCH(QString, href);
        QTEST(TravelHarvest::accepts(href), "accepted");
    }

    void harvestKeepsOrderCapsAndLeavesOlderSlots()
    {
        std::array<QString, 501> links;
        links[500] = "never touched";
        QStringList hrefs;
        for (int i = 1; i <= 600; ++i)
            hrefs << QString("http://x/%1").arg(i) << "ftp://skip";
        QCOMPARE(TravelHarvest::harvest(hrefs, links), 499);
        QCOMPARE(links[1], QString("http://x/1"));
        QCOMPARE(links[499], QString("http://x/499"));
        QCOMPARE(links[500], QString("never touched"));
        QCOMPARE(links[0], QString());

        QCOMPARE(TravelHarvest::harvest({"https://y/A", "https://y/A", "javascript:x"}, links), 2);
        QCOMPARE(links[1], QString("https://y/A"));
        QCOMPARE(links[2], QString("https://y/A"));
        QCOMPARE(links[3], QString("http://x/3"));
    }

    void pickIsUniformOverTheRange_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("index");
        QTest::newRow("lowest") << 0.0 << 3 << 1;
        QTest::newRow("just below a third") << 0.3333 << 3 << 1;
        QTest::newRow("a third") << 1.0 / 3 + 1e-9 << 3 << 2;
        QTest::newRow("highest") << 0.999999 << 499 << 499;
        QTest::newRow("empty range") << 0.7 << 0 << 1;
    }
    void pickIsUniformOverTheRange()
    {
        QFETCH(double, r);
        QFETCH(int, range);
        QTEST(TravelHarvest::pickIndex(r, range), "index");
    }
};

TAMZO_TEST_MAIN(tst_TravelHarvest)
#include "tst_travelharvest.moc"
