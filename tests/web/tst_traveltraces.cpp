#include "browserfixture.h"
#include "browsing/siteclearing.h"
#include "commands/commandbars.h"
#include "testmain.h"
#include "travel/journeysites.h"
#include "travel/travelengine.h"
#include "travel/traveltraces.h"

#include <QAction>

// What travel leaves behind is the user's to clear: the menu entry clears the cookies and the
// storage of the sites the journey found new, keeps those of the sites the user knew, and says
// how many it cleared.
class tst_TravelTraces : public BrowserTest
{
    Q_OBJECT
    // The journey's site: the same machine under another name and port.
    TestHttpServer trip;

    QString tripUrl(const QString &path) const { return QString("http://localhost:%1%2").arg(trip.port()).arg(path); }
    TravelEngine &travel() { return form().travel(); }
    QStringList cookieSites() { return SiteClearing::cookieSites(form().tabs().profile().engineProfile()); }
    // A page of the site shows in its title what the site stored: its local storage and its cookies.
    QString shownOf(const QString &address)
    {
        if (!navigateAndWait(active(), address))
            return "not loaded " + active()->LocationURL() + " " + server.requests().join(",") + " / " + trip.requests().join(",");
        waitUntil([&] { return active()->LocationName().startsWith("seen"); });
        return active()->LocationName();
    }

private slots:
    void initTestCase()
    {
        const QByteArray seen = "<html><head><title>check</title><script>"
                                "document.title = 'seen ' + localStorage.getItem('kept') + ' ' + document.cookie;"
                                "</script></head><body></body></html>";
        server.setPage("/earlier", "<html><head><title>Earlier</title><script>document.cookie = 'early=1; max-age=3600';"
                                   "localStorage.setItem('kept', 'earlier');</script></head><body></body></html>");
        server.setPage("/check", seen);
        trip.setPage("/check", seen);
        trip.setPage("/trip", "<html><head><title>Trip</title><link rel=\"icon\" href=\"data:,\"><script>document.cookie = 'trip=1; max-age=3600';"
                              "localStorage.setItem('kept', 'trip');</script></head><body></body></html>");
    }
    void init()
    {
        server.setPage("/departure", pageWithLinks({tripUrl("/trip")}));
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
    }
    void cleanup() { browser.reset(); }

    void clearingTakesWhatTheJourneyLeft_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("said"); // empty: nothing said
        QTest::addColumn<bool>("earlierKept");
        QTest::addColumn<bool>("tripKept");
        QTest::newRow("sites new to the journey") << 0 << "Cookies and site storage cleared for this many sites: 1"
                                                  << true << false;
        QTest::newRow("all sites") << 1 << "Sites whose cookies were cleared: 2" << false << false;
        QTest::newRow("cancelled") << 2 << "" << true << true;
    }
    void clearingTakesWhatTheJourneyLeft()
    {
        QFETCH(int, choice);
        QFETCH(QString, said);
        QFETCH(bool, earlierKept);
        QFETCH(bool, tripKept);
        QVERIFY(navigateAndWait(active(), server.url("/earlier")));
        QVERIFY(waitUntil([&] { return cookieSites() == QStringList{"127.0.0.1"}; }));
        QVERIFY(navigateAndWait(active(), server.url("/departure")));
        QSignalSpy stepped(&travel(), &TravelEngine::stepDone);
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        travel().GO_Travel_Links();
        QVERIFY(stepped.wait(webWaitMs));
        QVERIFY(waitForLoaded(complete, tripUrl("/trip")));
        QVERIFY(waitUntil([&] { return cookieSites().size() == 2; }));
        QCOMPARE(JourneySites::known(travel().journeyPath()).value_or(QStringList{"none"}), QStringList{"127.0.0.1"});

        const qsizetype asked = trip.requests().size();
        browser->dialogs.chosen = {choice};
        form().bars().action(TravelTraces::clearKey)->trigger();
        QVERIFY(waitUntil([&] { return !browser->dialogs.messages.isEmpty() || said.isEmpty(); }));
        QCOMPARE(browser->dialogs.offered.value(0).value(0), QString("Only the sites new to the last journey: 1"));
        const QString first = browser->dialogs.messages.value(0).section('\n', 0, 0);
        QCOMPARE(first.right(said.size()), said);
        QVERIFY2(trip.requests().size() == asked, qPrintable(trip.requests().mid(asked).join(",")));

        const QString earlier = shownOf(server.url("/check"));
        QCOMPARE(earlier.contains("early=1"), earlierKept);
        QVERIFY2(earlier.startsWith("seen earlier"), qPrintable(earlier));
        const QString left = shownOf(tripUrl("/check"));
        QCOMPARE(left.contains("trip=1"), tripKept);
        // Site storage goes at once for the journey's sites, at the next start for all of them.
        QCOMPARE(left.startsWith("seen trip"), choice != 0);
    }
};

TAMZO_TEST_MAIN(tst_TravelTraces)
#include "tst_traveltraces.moc"
