#include "browserfixture.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "testmain.h"
#include "core/textfile.h"
#include "travel/journeyfiles.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <csignal>

class tst_Travel : public BrowserTest
{
    Q_OBJECT
private:

    TravelEngine &travel() { return form().travel(); }

    QStringList serverLinks(const QStringList &paths)
    {
        QStringList urls;
        for (const QString &path : paths)
            urls << server.url(path);
        return urls;
    }

    void open(WebView *view, const QString &path, const QByteArray &page)
    {
        server.setPage(path, page);
        QVERIFY(navigateAndWait(view, server.url(path)));
    }

    // One step with a fixed draw; the address it opened (empty when it stopped travel).
    QString step(double draw)
    {
        travel().setRandomSource([draw] { return draw; });
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        travel().GO_Travel_Links();
        if (!done.wait(webWaitMs))
            return "no step";
        return done.first().first().toString();
    }

    QStringList logLines() { return browser->folder.readLines("TravelLog.txt"); }

private slots:
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
    }
    void cleanup() { browser.reset(); }

    void filtersAndOrder()
    {
        const QString base = server.url("");
        // No longer an address than the history keeps, up to the longest the engine takes.
        QStringList longest;
        for (const int length : {4097, 2 * 1024 * 1024, 4096})
            longest << base + "/long?" + QString(length - base.size() - 6, u'a');
        open(active(), "/mixed",
             pageWithLinks({"HTTP://127.0.0.1:" + QString::number(server.port()) + "/A.EXE", base + "/rss/feed", "ftp://x/y",
                            "javascript:void(0)", longest[0], longest[1], base + "/first", base + "/file.zip", "/second",
                            longest[2]}));
        QCOMPARE(step(0.0), server.url("/first"));
        QCOMPARE(state().travelLinkCount, qint16(3));
        QCOMPARE(state().travelLinks[2], server.url("/second"));
        QCOMPARE(state().travelLinks[3], longest[2]);
        QVERIFY(waitForDocument(active()));
        QCOMPARE(server.requestCount("/first"), 1);
    }

    void only499LinksAreCandidates()
    {
        QStringList paths;
        for (int i = 1; i <= 600; ++i)
            paths << QString("/p%1").arg(i);
        open(active(), "/many", pageWithLinks(serverLinks(paths)));
        QCOMPARE(step(0.999999), server.url("/p499"));
        QCOMPARE(state().travelLinkCount, qint16(499));
        QCOMPARE(state().travelLinks[500], QString());
    }

    void duplicatesCountTwice()
    {
        const QStringList links = serverLinks({"/twice", "/twice", "/once"});
        open(active(), "/dup", pageWithLinks(links));
        QCOMPARE(step(0.5), server.url("/twice"));
        open(active(), "/dup", pageWithLinks(links));
        QCOMPARE(step(0.7), server.url("/once"));
    }

    void aLinkTwiceOnThePageIsPickedTwiceAsOften()
    {
        // Every page carries the same links, so each step picks among them whatever has loaded.
        const QByteArray page = pageWithLinks(serverLinks({"/twice", "/twice", "/once"}));
        server.setPage("/twice", page);
        server.setPage("/once", page);
        // The program's own generator, reseeded at every step.
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        open(active(), "/twice", page);
        int twice = 0, once = 0;
        for (int i = 0; i < 600; ++i) {
            QSignalSpy done(&travel(), &TravelEngine::stepDone);
            travel().GO_Travel_Links();
            QVERIFY(done.wait(webWaitMs));
            (done.first().first().toString().endsWith("/twice") ? twice : once)++;
        }
        const double ratio = double(twice) / once;
        QVERIFY2(ratio > 1.5 && ratio < 2.7, qPrintable(QString("%1 : %2").arg(twice).arg(once)));
    }

    void emptyPageFallsBackToTheEarlierLinks_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("type");
        QTest::newRow("page without links") << QByteArray("<html><body>nothing</body></html>") << QByteArray("text/html");
        QTest::newRow("plain text") << QByteArray("http://127.0.0.1/not-a-link") << QByteArray("text/plain");
        QTest::newRow("picture") << QByteArray::fromBase64("R0lGODlhAQABAAAAACw=") << QByteArray("image/gif");
    }
    void emptyPageFallsBackToTheEarlierLinks()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, type);
        const QStringList five = serverLinks({"/1", "/2", "/3", "/4", "/5"});
        open(active(), "/five", pageWithLinks(five));
        QVERIFY(five.contains(step(0.1)));
        server.setPage("/empty", page, type);
        QVERIFY(navigateAndWait(active(), server.url("/empty")));
        QCOMPARE(step(0.9), server.url("/5"));
        QCOMPARE(state().travelLinkCount, qint16(5));
        // An error page and a page still loading do the same.
        active()->Navigate(server.url("/missing"));
        QCOMPARE(step(0.0), server.url("/1"));
    }

    void aStepLeavesTheBoxToTheUser_data()
    {
        QTest::addColumn<bool>("otherTab");
        QTest::newRow("the user types in the box") << false;
        QTest::newRow("the user shows another tab") << true;
    }
    // A step still opens its link in its tab; the box shows it only while that tab is shown and
    // never over what the user is typing.
    void aStepLeavesTheBoxToTheUser()
    {
        QFETCH(bool, otherTab);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        WebView *travelled = active();
        server.setPage("/target", "<html><head><title>target</title></head><body>target</body></html>");
        open(travelled, "/one", pageWithLinks(serverLinks({"/target"})));
        travel().setRandomSource([] { return 0.0; });
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        QSignalSpy loaded(travelled, &WebView::DocumentComplete);
        travel().GO_Travel_Links(); // the harvest answers later, from the event loop
        if (otherTab) {
            QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        } else {
            QLineEdit *edit = form().Text1->lineEdit();
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, "127.0.0.1:1/typ");
        }
        const QString shown = form().Text1->currentText();
        QVERIFY(done.wait(webWaitMs));
        QCOMPARE(done.first().first().toString(), server.url("/target"));
        QVERIFY(waitForLoaded(loaded, server.url("/target")));
        form().navigator().Timer5_Timer();
        QCOMPARE(form().Text1->currentText(), shown);
        if (!otherTab)
            QCOMPARE(shown, QString("127.0.0.1:1/typ"));
    }

    void noLinkEverStopsTravel()
    {
        open(active(), "/bare", "<html><body>no links</body></html>");
        travel().startTravel(2);
        travel().Timer3_Timer();
        QCOMPARE(step(0.3), QString());
        QVERIFY(!travel().Timer2.isActive());
        QVERIFY(!travel().Timer3.isActive());
        QCOMPARE(state().travelSpeed, qint16(2));
        // An empty countdown: travel is no longer running; the status line says why.
        QCOMPARE(form().timeBar->text(), QString());
        QCOMPARE(form().statusBar->text(), QString("Travel stopped: the page has no web link to follow."));
        QCOMPARE(logLines(), QStringList());
    }

    void countdownAndSteps()
    {
        open(active(), "/one", pageWithLinks(serverLinks({"/next"})));
        server.setPage("/next", pageWithLinks(serverLinks({"/next"})));
        travel().startTravel(1);
        QCOMPARE(travel().Timer2.interval(), 30000);
        QCOMPARE(travel().Timer3.interval(), 1000);
        QVERIFY(travel().Timer2.isActive() && travel().Timer3.isActive());
        travel().Timer3_Timer();
        QCOMPARE(form().timeBar->text(), QString("  29"));
        for (int i = 0; i < 29; ++i)
            travel().Timer3_Timer();
        QCOMPARE(form().timeBar->text(), QString("   0"));
        travel().Timer3_Timer();
        QCOMPARE(form().timeBar->text(), QString("  -1"));

        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        travel().Timer2_Timer();
        QVERIFY(done.wait(webWaitMs));
        QCOMPARE(state().travelSeconds, qint16(0));
        QCOMPARE(state().travelTicks, qint16(0));

        // At 120 seconds a step comes on the fourth tick only.
        travel().startTravel(4);
        for (int tick = 1; tick <= 3; ++tick)
            travel().Timer2_Timer();
        QCOMPARE(done.size(), 1);
        QCOMPARE(state().travelTicks, qint16(3));
        travel().Timer2_Timer();
        QVERIFY(done.wait(webWaitMs));
        QCOMPARE(done.size(), 2);

        // Starting again at another speed restarts both counts.
        travel().startTravel(2);
        for (int i = 0; i < 30; ++i)
            travel().Timer3_Timer();
        travel().Timer2_Timer();
        travel().startTravel(1);
        QCOMPARE(state().travelSeconds, qint16(0));
        QCOMPARE(state().travelTicks, qint16(0));
        travel().Timer3_Timer();
        QCOMPARE(form().timeBar->text(), QString("  29"));
    }

    void interruptAndStop()
    {
        travel().startTravel(2);
        travel().Timer3_Timer();
        travel().interrupt();
        QVERIFY(!travel().Timer2.isActive() && !travel().Timer3.isActive());
        QCOMPARE(form().timeBar->text(), QString());
        QCOMPARE(state().travelSpeed, qint16(2));
        travel().startTravel(1);
        travel().stopTravel();
        QVERIFY(!travel().Timer2.isActive());
        QCOMPARE(state().travelSpeed, qint16(0));
    }

    void logLinesAndTheLogEmptiedAtStart()
    {
        browser->folder.write("TravelLog.txt", {"earlier run"});
        form().Timer4_Timer();
        QCOMPARE(browser->folder.readBytes("TravelLog.txt"), QByteArray());
        QCOMPARE(state().templatePath, browser->folder.path("Data/Template.Doc"));
        QCOMPARE(state().templatePathH, browser->folder.path("Data/TemplateH.Doc"));

        open(active(), "/log", pageWithLinks(serverLinks({"/logged"})));
        server.setPage("/logged", pageWithLinks(serverLinks({"/log"})));
        const QString first = step(0.0);
        QVERIFY(waitForDocument(active()));
        const QString second = step(0.0);
        const QByteArray bytes = browser->folder.readBytes("TravelLog.txt");
        QVERIFY(bytes.endsWith("\r\n"));
        const QStringList lines = logLines();
        QCOMPARE(lines.size(), 2);
        const QRegularExpression line("^\\d\\d:\\d\\d:\\d\\d  (.*)$");
        QCOMPARE(line.match(lines[0]).captured(1), first);
        QCOMPARE(line.match(lines[1]).captured(1), second);
        QCOMPARE(first, server.url("/logged"));
        QCOMPARE(second, server.url("/log"));

        travel().showLog();
        QCOMPARE(browser->shell.targets, QStringList{browser->folder.path("TravelLog.txt")});
        QCOMPARE(browser->shell.verbs, QStringList{QString()});
    }

    // A journey begun and ended on an address of megabytes keeps its steps, not the address.
    void aJourneyBegunOnAnEndlessAddressStaysSmall()
    {
        server.setPage("/long", pageWithLinks(serverLinks({"/logged"})));
        server.setPage("/logged", pageWithLinks(serverLinks({"/long"})));
        const QString endless = server.url("/long") + "#" + QString(1'000'000, 'q');
        QVERIFY(navigateAndWait(active(), endless));
        travel().startTravel(1);
        QCOMPARE(step(0.0), server.url("/logged"));
        QVERIFY(navigateAndWait(active(), endless));
        travel().stopTravel();
        const auto lines = TextFile::readLines(travel().journeyPath());
        QVERIFY(lines && QFileInfo(travel().journeyPath()).size() < 10'000);
        QCOMPARE(JourneyFiles::addressesOf(*lines), QStringList{server.url("/logged")});
    }

    void theStepFollowsTheActiveTab()
    {
        open(form().tabs().Web(0), "/tabA", pageWithLinks(serverLinks({"/fromA"})));
        open(form().tabs().Web(1), "/tabB", pageWithLinks(serverLinks({"/fromB"})));
        const QStringList addresses = state().tabAddresses;
        const QString caption = form().tabs().TabCaption(1);
        form().tabs().setActiveTab(1);
        QCOMPARE(step(0.0), server.url("/fromB"));
        QCOMPARE(form().Text1->currentText(), server.url("/fromB"));
        QTRY_COMPARE_WITH_TIMEOUT(form().tabs().Web(1)->LocationURL(), server.url("/fromB"), webWaitMs);
        QCOMPARE(form().tabs().Web(0)->LocationURL(), server.url("/tabA"));
        QCOMPARE(state().tabAddresses, addresses);
        QCOMPARE(form().tabs().TabCaption(1), caption);
        QCOMPARE(form().Text1->count(), 0);
    }

    // The engine may never answer a harvest: its renderer died, or is stuck in a page's script.
    void aHarvestWithoutAnswerEndsTheStepInTime_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("renderer killed") << true;
        QTest::newRow("renderer stuck") << false;
    }
    void aHarvestWithoutAnswerEndsTheStepInTime()
    {
        QFETCH(bool, killed);
        const QStringList five = serverLinks({"/1", "/2", "/3", "/4", "/5"});
        server.setPage("/5", pageWithLinks(serverLinks({"/6"})));
        open(active(), "/five", pageWithLinks(five));
        QVERIFY(five.contains(step(0.1)));
        QVERIFY(waitForDocument(active()));
        // Under another site name the page has a renderer of its own.
        server.setPage("/unreachable", pageWithLinks(serverLinks({"/never"})));
        QVERIFY(navigateAndWait(active(), QString("http://localhost:%1/unreachable").arg(server.port())));
        // The renderer is stuck before the harvest asks, so it can never answer in time; then it
        // is left stuck or killed.
        QWebEnginePage *page = active()->engine()->page();
        bool spinning = false;
        page->runJavaScript("setTimeout(function () { for (;;) {} }, 0); true", [&](const QVariant &) { spinning = true; });
        QTRY_VERIFY(spinning);
        QTest::qWait(100);
        travel().startTravel(1);
        travel().setRandomSource([] { return 0.9; });
        // A killed renderer must end the step by itself: with the limit far away, only the kill can.
        if (killed)
            travel().harvestTimer.setInterval(600000);
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        QSignalSpy loaded(active(), &WebView::DocumentComplete);
        QElapsedTimer elapsed;
        elapsed.start();
        travel().GO_Travel_Links();
        QVERIFY(travel().harvestTimer.isActive());
        if (killed)
            QCOMPARE(::kill(pid_t(page->renderProcessPid()), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!done.isEmpty(), 60000);
        // A stuck renderer holds the step until the limit (a coarse timer may end it 5% early), never less.
        if (!killed)
            QVERIFY2(elapsed.elapsed() >= TravelEngine::harvestLimitMs * 9 / 10,
                     qPrintable(QString::number(elapsed.elapsed())));
        travel().harvestTimer.setInterval(TravelEngine::harvestLimitMs);
        // The earlier page's links stood in; the step was logged and travel goes on.
        QCOMPARE(done.first().first().toString(), server.url("/5"));
        QVERIFY(!travel().stepInFlight());
        QCOMPARE(logLines().size(), 2);
        QVERIFY(travel().Timer2.isActive());
        QVERIFY2(waitForLoaded(loaded, server.url("/5")), qPrintable(active()->LocationURL()));
        QCOMPARE(step(0.0), server.url("/6"));
        QCOMPARE(server.requestCount("/never"), 0);
    }

    void anyCommandDropsAStepInFlight_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("stop travelling") << "TRAVEL:STOP";
        QTest::newRow("stop the page") << "EDIT:STOP";
        QTest::newRow("a look") << "FILE:XP";
    }
    void anyCommandDropsAStepInFlight()
    {
        QFETCH(QString, key);
        open(active(), "/dropped", pageWithLinks(serverLinks({"/never"})));
        form().Text1->setEditText("typed");
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        travel().startTravel(1);
        travel().GO_Travel_Links();
        QVERIFY(travel().stepInFlight());
        form().findChild<QAction *>(key)->trigger();
        QVERIFY(!travel().stepInFlight());
        // A reading asked after the step's is answered after it: by then the step's answer came.
        QCOMPARE(readDocument<QStringList>([&](auto read) { active()->readLinks({}, read); }).size(), 1);
        QCOMPARE(done.size(), 0);
        QCOMPARE(logLines(), QStringList());
        QCOMPARE(form().Text1->currentText(), QString("typed"));
        QCOMPARE(server.requestCount("/never"), 0);
    }

    void aLogThatCannotBeWrittenIsReportedOnce()
    {
        // A folder in the log's place.
        QVERIFY(QFile::remove(browser->folder.path("TravelLog.txt")));
        QVERIFY(QDir(browser->folder.root()).mkpath("TravelLog.txt/inside"));
        open(active(), "/there", pageWithLinks(serverLinks({"/back"})));
        server.setPage("/back", pageWithLinks(serverLinks({"/there"})));
        travel().startTravel(1);
        QCOMPARE(step(0.0), server.url("/back"));
        QVERIFY(waitForDocument(active()));
        QCOMPARE(step(0.0), server.url("/there"));
        QVERIFY(waitForDocument(active()));
        form().Timer4_Timer();
        QCOMPARE(browser->dialogs.messages.size(), 1);
        const QString message = browser->dialogs.messages.first();
        QVERIFY2(message.startsWith("The travel log cannot be written") &&
                     message.contains(browser->folder.path("TravelLog.txt") + ": "),
                 qPrintable(message));
        QVERIFY(travel().Timer2.isActive());
        QCOMPARE(server.requestCount("/there"), 2);
    }

    // The engine shows no page for a file it would save: the step takes another link at once, and
    // the log and the journey name only the page opened.
    void aLinkThatTurnsIntoADownloadGivesWayToAnother_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("opened");
        QTest::newRow("another link beside it") << QStringList{"/manual.tag", "/next"} << "/next";
        QTest::newRow("the only link") << QStringList{"/manual.tag"} << QString();
    }
    void aLinkThatTurnsIntoADownloadGivesWayToAnother()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, opened);
        server.setPage("/manual.tag", QByteArray(3700000, 't'), "application/octet-stream");
        server.setPage("/next", "<html><head><title>next</title></head><body>next</body></html>");
        open(active(), "/files", pageWithLinks(serverLinks(paths)));
        const QStringList named = opened.isEmpty() ? QStringList() : QStringList{server.url(opened)};
        const int asked = server.requestCount("/manual.tag");
        QCOMPARE(step(0.0), opened.isEmpty() ? QString() : server.url(opened));
        QCOMPARE(server.requestCount("/manual.tag"), asked + 1);
        QCOMPARE(JourneyFiles::addressesOf(logLines()), named);
        QCOMPARE(JourneyFiles::addressesOf(TextFile::readLines(travel().journeyPath()).value_or(QStringList())), named);
    }

    void aSecondStepWaitsForTheFirst()
    {
        open(active(), "/single", pageWithLinks(serverLinks({"/s"})));
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        travel().GO_Travel_Links();
        QVERIFY(travel().stepInFlight());
        travel().GO_Travel_Links();
        QVERIFY(done.wait(webWaitMs));
        QTest::qWait(200);
        QCOMPARE(done.size(), 1);
        QCOMPARE(logLines().size(), 1);
    }
};

TAMZO_TEST_MAIN(tst_Travel)
#include "tst_travel.moc"
