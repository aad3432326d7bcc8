#include "browserfixture.h"
#include "commands/commandbars.h"
#include "menuclick.h"
#include "testmain.h"
#include "travel/frmjourney.h"
#include "travel/journeyfiles.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
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
        QVERIFY(clickMenuEntry(&form(), form().bars().menu("TRAVEL"), action(key)));
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

    }

    void eachRunKeepsItsJourney()
    {
        const QStringList earlier = {"10:00:00  http://127.0.0.1:1/old"};
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", earlier);
        browser->folder.write("TravelLog.txt", earlier);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
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

    void windowDrawsJourneysAndOpensAPage()
    {
        const QString a = server.url("/a"), b = server.url("/b");
        const QString other = "http://127.0.0.2:1/c";
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt",
                              {"10:00:00  " + a, "10:00:30  " + b, "10:01:00  " + other, "10:01:30  " + a + "#x",
                               "10:02:00  " + b, "a line without an address"});
        server.setPage("/a", "<title>Page A</title>" + pageWithLinks({b}));
        server.setPage("/b", "<title>Page B</title>" + pageWithLinks({a}));
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        QTest::keyClick(&form(), Qt::Key_J, Qt::ControlModifier);
        frmJourney *window = form().findChild<frmJourney *>();
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(window->journeyList->count(), 2); // this run's, then the earlier one

        // The earlier journey: three pages on two hosts, two of them visited twice, four arrows.
        window->journeyList->setFocus();
        QTest::keyClick(window->journeyList, Qt::Key_Down);
        QCOMPARE(window->graph().nodes.size(), size_t(3));
        QCOMPARE(window->graph().arrows.size(), size_t(4));
        QCOMPARE(window->graph().hosts.size(), 2);
        QList<int> visits;
        for (const JourneyGraph::Node &node : window->graph().nodes)
            visits << node.visits;
        QCOMPARE(visits, (QList<int>{2, 2, 1}));
        QTRY_VERIFY(!window->layingOut());
        // Exports of the picture.
        browser->dialogs.saveAnswer = browser->folder.path("journey.svg");
        QTest::mouseClick(window->exportSvg, Qt::LeftButton);
        QVERIFY(browser->folder.readBytes("journey.svg").contains("<svg"));
        browser->dialogs.saveAnswer = browser->folder.path("journey.png");
        QTest::mouseClick(window->exportPng, Qt::LeftButton);
        QVERIFY(!QImage(browser->folder.path("journey.png")).isNull());
        browser->dialogs.saveAnswer = browser->folder.path("missing/journey.png");
        QTest::mouseClick(window->exportPng, Qt::LeftButton);
        QCOMPARE(browser->dialogs.messages.size(), 1);
        QVERIFY(browser->dialogs.messages[0].contains("missing/journey.png"));
        // This run's journey grows with each step, its pages named by their titles.
        QTest::keyClick(window->journeyList, Qt::Key_Up);
        QVERIFY(navigateAndWait(active(), a));
        QCOMPARE(step(0.0), b);
        QVERIFY(waitForDocument(active()));
        QCOMPARE(step(0.0), a);
        QVERIFY(waitForDocument(active()));
        QCOMPARE(window->graph().nodes.size(), size_t(2));
        QCOMPARE(window->graph().nodes[0].label, QString("Page B"));
        // A click on a page opens it in the main window and stops travel.
        form().travel().startTravel(1);
        QTRY_VERIFY(!window->layingOut());
        QTest::mouseClick(window->picture->viewport(), Qt::LeftButton, {}, window->pagePosition(0));
        QVERIFY(!form().travel().Timer2.isActive());
        QCOMPARE(form().Text1->currentText(), b);
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), b, webWaitMs);
    }

    void windowClosedWhileLayingOutOpensAgain()
    {
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines << QString("10:00:00  http://127.0.0.1:1/%1").arg(i * 7 % 250);
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", lines);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        for (int opening = 0; opening < 2; ++opening) {
            clickTravelEntry("TRAVEL:JOURNEY");
            QPointer<frmJourney> window = form().findChild<frmJourney *>();
            QVERIFY(window);
            QTest::keyClick(window->journeyList, Qt::Key_End);
            QCOMPARE(window->graph().nodes.size(), size_t(250));
            if (opening == 0) {
                QVERIFY(window->layingOut());
                window->close();
                QTRY_VERIFY(!window);
            } else {
                QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), webWaitMs);
                QVERIFY(window->counts->text().contains("250"));
                QVERIFY(!window->picture->scene()->items().isEmpty());
            }
        }
    }
};

TAMZO_TEST_MAIN(tst_Journey)
#include "tst_journey.moc"
