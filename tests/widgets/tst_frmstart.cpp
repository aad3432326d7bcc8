#include "app/frmstart.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "core/programstate.h"
#include "scripteddialogs.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"

#include <QComboBox>
#include <QDate>
#include <QScreen>
#include <QFileInfo>
#include <QSignalSpy>
#include <QToolBar>

class tst_frmStart : public QObject
{
    Q_OBJECT
private:
    TestHttpServer server;

    // A main window over a folder whose options open the test server's start page.
    struct Window
    {
        explicit Window(TestHttpServer &server, const QStringList &windowSettings = {})
        {
            folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), "English"});
            folder.write("Languages/Lang_English.txt", {"TAB_NUMBER=2", "\"Exit\""});
            if (!windowSettings.isEmpty())
                folder.write("Data/TamzoTravel.Ini", windowSettings);
        }
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        ScriptedDialogs dialogs;
        RecordingShell shell;
        frmStart form{state, dialogs, shell};
    };

private slots:
    void initTestCase() { server.setPage("/start", "<html><body>start</body></html>"); }

    void todayDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded") << QDate(2010, 4, 9) << "2010-04-09";
        QTest::newRow("two digits") << QDate(1999, 12, 31) << "1999-12-31";
    }
    void todayDate()
    {
        QFETCH(QDate, date);
        QTEST(frmStart::todayDateFrom(date), "text");
    }

    void loadOpensTheStartAddressInTheFirstTab()
    {
        Window window(server);
        auto &[folder, state, dialogs, shell, form] = window;
        QVERIFY(form.Form_Load());
        QCOMPARE(state.todayDate, QDate::currentDate().toString("yyyy-MM-dd"));
        QCOMPARE(state.startAddress, server.url("/start"));
        QCOMPARE(state.currentAddress, server.url("/start"));
        QCOMPARE(state.tabAddresses, (QStringList{server.url("/start"), ""}));
        QCOMPARE(form.tabs().TabCaption(0), QString("127.0.0.1:%1").arg(server.port()));
        QVERIFY(form.tabs().Web(0)->isVisibleTo(&form));
        QVERIFY(!form.tabs().Web(1)->isVisibleTo(&form));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/start") >= 1, 20000);
        QVERIFY(form.Timer4.isActive());
        QCOMPARE(form.Timer4.interval(), 750);
    }

    void addressGivenAtStartOpensInsteadOfTheStartAddress()
    {
        server.setPage("/given", "<html><body>given</body></html>");
        const int startRequests = server.requestCount("/start");
        Window window(server);
        auto &[folder, state, dialogs, shell, form] = window;
        QVERIFY(form.Form_Load(server.url("/given")));
        QCOMPARE(state.startAddress, server.url("/start"));
        QCOMPARE(state.currentAddress, server.url("/given"));
        QCOMPARE(state.tabAddresses, (QStringList{server.url("/given"), ""}));
        QCOMPARE(form.Text1->currentText(), server.url("/given"));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/given") >= 1, 20000);
        QCOMPARE(server.requestCount("/start"), startRequests);
        // Home still leads to the start address.
        form.tabs().Web(0)->GoHome();
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/start") > startRequests, 20000);
    }

    void windowPlacedFromItsSettings_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QRect>("geometry");
        const QStringList rest(8, " 0");
        QTest::newRow("as saved") << (QStringList{" 1500", " 3000", " 6000", " 9000"} + rest + QStringList{" 0"})
                                  << false << QRect(200, 100, 600, 400);
        QTest::newRow("saved 1500 high") << (QStringList{" 1500", " 3000", " 1500", " 9000"} + rest + QStringList{" 0"})
                                         << true << QRect();
        QTest::newRow("line 13 is 2") << (QStringList{" 1500", " 3000", " 6000", " 9000"} + rest + QStringList{" 2"})
                                      << true << QRect();
        // A screen that is no longer there: the window comes back onto the primary screen, size kept.
        const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
        QTest::newRow("off every screen") << (QStringList{" 1500", " 300000", " 6000", " 9000"} + rest + QStringList{" 0"})
                                          << false << QRect(origin, QSize(600, 400));
        QTest::newRow("below every screen") << (QStringList{" 300000", " 3000", " 6000", " 9000"} + rest + QStringList{" 0"})
                                            << false << QRect(origin, QSize(600, 400));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTest::newRow("partly on the screen") << (QStringList{" 1500", QString(" %1").arg((screen.right() - 100) * 15),
                                                              " 6000", " 9000"} + rest + QStringList{" 0"})
                                              << false << QRect(screen.right() - 100, 100, 600, 400);
    }
    void windowPlacedFromItsSettings()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, fullScreen);
        QFETCH(QRect, geometry);
        Window window(server, lines);
        auto &[folder, state, dialogs, shell, form] = window;
        QVERIFY(form.Form_Load());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        if (fullScreen && lines.last() == " 2")
            QCOMPARE(form.geometry(), screen);
        else if (fullScreen)
            QCOMPARE(form.geometry().height(), screen.height());
        else
            QCOMPARE(form.geometry(), geometry);
        // What the program writes back has its thirteen lines, the flag carried through.
        form.close();
        const QStringList saved = folder.readLines("Data/TamzoTravel.Ini");
        QCOMPARE(saved.size(), 13);
        QCOMPARE(saved.last(), lines.last());
    }

    void closingSavesOnceAndReportsEveryFailure()
    {
        Window window(server);
        auto &[folder, state, dialogs, shell, form] = window;
        QVERIFY(form.Form_Load());
        form.show();
        // Folders where the history file and a scratch file should go make those unusable.
        folder.write("Data/TamzoTravel.Hys/blocker", {"kept"});
        folder.write("html.txt", {"scratch"});
        folder.write("Doc.Txt", {"scratch"});
        state.barStyle = 3;
        form.close();
        form.close();
        QVERIFY(!form.isVisible());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].contains(folder.path("Data/TamzoTravel.Hys")), qPrintable(dialogs.messages[0]));
        // The language lacks the message: its English text stands in.
        QVERIFY2(dialogs.messages[0].startsWith("These files could not be saved:\n"), qPrintable(dialogs.messages[0]));
        // The other saves went ahead; what stood in the way is untouched.
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt").value(0), QString(" 3"));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Hys/blocker"), QStringList{"kept"});
        QVERIFY(!folder.exists("html.txt"));
        QVERIFY(!folder.exists("Doc.Txt"));
    }

    // Nobody may be there to answer: a session save or a signal never waits on a message.
    void unattendedSavesNeverAsk()
    {
        Window window(server);
        auto &[folder, state, dialogs, shell, form] = window;
        QVERIFY(form.Form_Load());
        form.show();
        folder.write("Data/TamzoTravel.Hys/blocker", {"kept"});
        state.barStyle = 3;
        form.commitData();
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt").value(0), QString(" 3"));
        QVERIFY(form.isVisible());
        state.barStyle = 2;
        form.exitUnattended();
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt").value(0), QString(" 2"));
        QVERIFY(!form.isVisible());
        QVERIFY(dialogs.messages.isEmpty());
    }

    // The bound is stopped: only the first page's end can show the window here.
    void theWindowAppearsWhenTheFirstPageIsDone_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("page loaded") << server.url("/start");
        QTest::newRow("nobody answers") << QString("http://127.0.0.1:9/start");
    }
    void theWindowAppearsWhenTheFirstPageIsDone()
    {
        QFETCH(QString, address);
        Window window(server);
        frmStart &form = window.form;
        // A failed address ends twice (the failure, then the engine's error page): the first end counts.
        QVERIFY(form.Form_Load(address));
        form.showAfterFirstPage();
        QList<bool> shownAtEnd;
        connect(form.tabs().Web(0), &WebView::DocumentComplete, &form, [&] { shownAtEnd << form.isVisible(); });
        form.firstShowTimer.stop();
        QVERIFY(!form.isVisible());
        QTRY_VERIFY(!shownAtEnd.isEmpty());
        QVERIFY(shownAtEnd.first());
        QVERIFY(form.cmdBar2->isVisible());
        QCOMPARE(form.tabs().TabCount(), 2);
    }

    void theBoundShowsTheWindowUnlessTheRunHasEnded_data()
    {
        QTest::addColumn<bool>("ended");
        QTest::newRow("still running") << false;
        QTest::newRow("ended by a signal") << true;
    }
    void theBoundShowsTheWindowUnlessTheRunHasEnded()
    {
        QFETCH(bool, ended);
        Window window(server);
        frmStart &form = window.form;
        QSignalSpy done(form.tabs().Web(0), &WebView::DocumentComplete);
        QVERIFY(form.Form_Load());
        form.showAfterFirstPage();
        if (ended)
            form.exitUnattended();
        form.firstShowTimer_Timer();
        QCOMPARE(form.isVisible(), !ended);
        if (ended)
            return;
        // The page's end later changes nothing.
        form.hide();
        QTRY_COMPARE(done.size(), 1);
        QVERIFY(!form.isVisible());
    }

    void installationFailureIsShownAndEndsTheStart()
    {
        TempAppFolder folder;
        folder.write("TamzoFirst.txt", {});
        ProgramState state{AppFolder(folder.root())};
        ScriptedDialogs dialogs;
        RecordingShell shell;
        frmStart form(state, dialogs, shell);
        QVERIFY(!form.Form_Load());
        QCOMPARE(dialogs.messages, QStringList{"No " + folder.root() + "/links.* file found!"});
        QCOMPARE(dialogs.icons.value(0), UserDialogs::Icon::Critical);
        QVERIFY(!folder.exists("Data/TamzoTravel.Opt"));
    }
};

TAMZO_TEST_MAIN(tst_frmStart)
#include "tst_frmstart.moc"
