#include "browserfixture.h"
#include "commands/commandbars.h"
#include "testmain.h"
#include "travel/journeyfiles.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QAction>
#include <QMenu>

class tst_Journey : public BrowserTest
{
    Q_OBJECT
private:
    TravelEngine &travel() { return form().travel(); }
    QAction *action(const QString &key) { return form().bars().action(key); }

    // Opens the TRAVEL menu and clicks the entry with the mouse.
    void clickTravelEntry(const QString &key)
    {
        QMenu *menu = form().bars().menu("TRAVEL");
        menu->popup(form().mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action(key)).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    QString step(double draw)
    {
        travel().setRandomSource([draw] { return draw; });
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        travel().GO_Travel_Links();
        return done.wait(webWaitMs) ? done.first().first().toString() : "no step";
    }

private slots:
    void init() { browser = std::make_unique<BrowserFixture>(server); }
    void cleanup() { browser.reset(); }

    void explorerEntriesAreKeptAndSteer()
    {
        browser->folder.write("Data/TamzoExplorer.Opt", {" 0", " 1", " 0", " 1"});
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        const QStringList keys = {"TRAVEL:SAMEPAGE", "TRAVEL:NEWPAGES", "TRAVEL:SITE", "TRAVEL:JUMPBACK"};
        QList<bool> checks;
        for (const QString &key : keys)
            checks << action(key)->isChecked();
        QCOMPARE(checks, (QList<bool>{false, true, false, true}));
        // A language file without the entry shows the built-in English text.
        QVERIFY(!action("TRAVEL:SAMEPAGE")->text().isEmpty());

        clickTravelEntry("TRAVEL:SAMEPAGE");
        clickTravelEntry("TRAVEL:JUMPBACK");
        QCOMPARE(browser->folder.readLines("Data/TamzoExplorer.Opt"), (QStringList{" 1", " 1", " 0", " 0"}));

        // The place on the page shown comes first, yet the step goes to the other page.
        server.setPage("/places", pageWithLinks({server.url("/places#top"), server.url("/other")}));
        QVERIFY(navigateAndWait(active(), server.url("/places")));
        QCOMPARE(step(0.0), server.url("/other"));

        clickTravelEntry("TRAVEL:SAMEPAGE");
        clickTravelEntry("TRAVEL:NEWPAGES");
        QVERIFY(navigateAndWait(active(), server.url("/places")));
        QCOMPARE(step(0.0), server.url("/places#top"));
        QCOMPARE(browser->folder.readLines("Data/TamzoExplorer.Opt"), (QStringList{" 0", " 0", " 0", " 0"}));
    }

    void eachRunKeepsItsJourney()
    {
        const QStringList earlier = {"10:00:00  http://127.0.0.1:1/old"};
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", earlier);
        browser->folder.write("TravelLog.txt", earlier);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        QVERIFY(browser->folder.readLines("TravelLog.txt").isEmpty());
        server.setPage("/a", pageWithLinks({server.url("/b")}));
        server.setPage("/b", pageWithLinks({server.url("/a")}));
        QVERIFY(navigateAndWait(active(), server.url("/a")));
        QCOMPARE(step(0.0), server.url("/b"));
        QVERIFY(waitForDocument(active()));
        QCOMPARE(step(0.0), server.url("/a"));

        const QStringList journeys = JourneyFiles::kept(state().appFolder);
        QCOMPARE(journeys.size(), 2);
        const QStringList log = browser->folder.readLines("TravelLog.txt");
        QCOMPARE(JourneyFiles::addressesOf(log), (QStringList{server.url("/b"), server.url("/a")}));
        QCOMPARE(*TextFile::readLines(journeys[0]), log);
        QCOMPARE(*TextFile::readLines(journeys[1]), earlier);
    }
};

TAMZO_TEST_MAIN(tst_Journey)
#include "tst_journey.moc"
