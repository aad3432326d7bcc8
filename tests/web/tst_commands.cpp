#include "browserfixture.h"
#include "browsing/findbar.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "browsing/tabstrip.h"
#include "commands/dispatcher.h"
#include "testmain.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QAction>
#include <QFile>
#include <QWebEnginePage>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTabBar>
#include <QRegularExpression>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>

class tst_Commands : public BrowserTest
{
    Q_OBJECT
private:

    QAction *action(const QString &key) { return form().findChild<QAction *>(key); }
    void click(const QString &key) { action(key)->trigger(); }
    QStringList options() { return browser->folder.readLines("Data/TamzoTravel.Opt"); }

    static QStringList keysOf(const QList<QAction *> &actions)
    {
        QStringList keys;
        for (QAction *action : actions)
            keys << action->objectName();
        return keys;
    }

private slots:
    void initTestCase()
    {
        for (const char *page : {"/a", "/b", "/search", "/trans"})
            server.setPage(page, QByteArray("<html><head><title>") + page + "</title></head><body>page " + page +
                                     " apple apple</body></html>");
    }
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        browser->writeLanguage("Second", server, 5, 100,
                               {"SEARCH_DESCR=Find it", "MAP_DESCR=Maps", "TRANSLATOR_PATH=" + server.url("/trans")});
        QVERIFY(browser->start(server));
        QTRY_COMPARE_WITH_TIMEOUT(form().progressBar->value(), 100, webWaitMs);
    }
    void cleanup() { browser.reset(); }

    void barsCarryTheCatalogue()
    {
        QCOMPARE(keysOf(form().cmdBar0->actions()),
                 (QStringList{"EXIT0", "SEP13", "BACK", "NEXT", "SEP10", "PRINT", "FAVORITE", "BRUSALDO", "SEP11",
                              "EDIT", "SAVE", "FILE", "LANG", "TRAVEL", "NAVIGATE"}));
        QCOMPARE(keysOf(form().cmdBar2->actions()),
                 (QStringList{"GOOGLE", "SOCIAL", "EBAY", "WIKI", "MAP", "SEP14", "MIN", "EXIT2"}));
        QCOMPARE(keysOf(form().bars().menu("LANG")->actions()),
                 (QStringList{"LANG:ENGLISH", "LANG:SECOND", "LANG:NEW"}));
        QCOMPARE(keysOf(form().bars().menu("TRAVEL")->actions()),
                 (QStringList{"TRAVEL:TRE", "TRAVEL:SEI", "TRAVEL:DODICI", "TRAVEL:STOP:SEPARATOR", "TRAVEL:STOP",
                              "TRAVEL:LOG:SEPARATOR", "TRAVEL:LOG"}));
        for (const QString &title : CommandCatalogue::menuTitles)
            QCOMPARE(action(title)->menu(), form().bars().menu(title));
        QVERIFY(action("FILE:OFFICE")->isChecked());
        for (const char *other : {"FILE:SYSTEM", "FILE:MONEY", "FILE:XP", "FILE:FLOATING"})
            QVERIFY2(!action(other)->isChecked(), other);
        QVERIFY(!action("BACK")->icon().isNull());
        QVERIFY(!action("LANG:ENGLISH")->icon().isNull());
        QVERIFY(action("FAVORITE")->isEnabled() != form().Timer4.isActive());
        form().Timer4_Timer();
        QVERIFY(action("FAVORITE")->isEnabled());
        QCOMPARE(form().cmdMove->toolTip(), QString("English 215"));
    }

    void captionsFollowTheLanguage()
    {
        QCOMPARE(action("NAVIGATE:GO")->text(), QString("English 169"));
        QCOMPARE(action("BACK")->toolTip(), QString("English 123"));
        QCOMPARE(action("EDIT:TXT")->text(), QString("Lang_English.txt"));
        QCOMPARE(action("GOOGLE")->toolTip(), QString());

        click("LANG:SECOND");
        QCOMPARE(state().languageName, QString("second"));
        QCOMPARE(options().value(5), QString("second"));
        QCOMPARE(action("EDIT:TXT")->text(), QString("Lang_Second.txt"));
        QCOMPARE(action("GOOGLE")->toolTip(), QString("Find it"));
        QCOMPARE(action("MAP")->toolTip(), QString("Maps"));
        QCOMPARE(action("NAVIGATE:GO")->text(), QString());      // 169 is past the shorter file
        QCOMPARE(action("NAVIGATE:BACK")->text(), QString("Second 2"));
        QCOMPARE(action("TRAVEL")->toolTip(), QString());
        QCOMPARE(form().cmdMove->toolTip(), QString());

        // Every caption and tooltip the language gives changed with it.
        const QRegularExpression second("^Second \\d+$");
        const QRegularExpression english("^English \\d+$");
        QStringList changed;
        for (const QString &title : {"NAVIGATE", "FILE", "EDIT", "SAVE", "TRAVEL"}) {
            for (QAction *item : form().bars().menu(title)->actions()) {
                if (item->isSeparator() || item->objectName() == "EDIT:TXT")
                    continue;
                QVERIFY2(item->text().isEmpty() || second.match(item->text()).hasMatch(), qPrintable(item->text()));
                changed << item->objectName();
            }
        }
        click("LANG:ENGLISH");
        for (const QString &key : changed)
            QVERIFY2(english.match(action(key)->text()).hasMatch(), qPrintable(key + " " + action(key)->text()));
        QCOMPARE(options().value(5), QString("english"));
        QCOMPARE(action("GOOGLE")->toolTip(), QString("Find it"));
    }

    void anyClickStopsTravel()
    {
        form().travel().startTravel(2);
        form().travel().Timer3_Timer();
        QCOMPARE(form().timeBar->text(), QString("  59"));
        const int asked = server.requestCount("/start");
        click("NAVIGATE:REFRESH");
        QVERIFY(!form().travel().Timer2.isActive());
        QVERIFY(!form().travel().Timer3.isActive());
        QCOMPARE(form().timeBar->text(), QString());
        QCOMPARE(state().travelSpeed, qint16(2));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + 1, webWaitMs);
        // Even a command that does nothing stops travel.
        click("TRAVEL:TRE");
        QVERIFY(form().travel().Timer2.isActive());
        form().dispatcher().cmdBar_ButtonClick(7, "ANYTHING");
        QVERIFY(!form().travel().Timer2.isActive());
        click("TRAVEL:DODICI");
        QCOMPARE(state().travelSpeed, qint16(4));
        click("TRAVEL:STOP");
        QCOMPARE(state().travelSpeed, qint16(0));
        QVERIFY(!form().travel().Timer2.isActive());
    }

    void pageCommands()
    {
        click("BACK"); // nothing earlier: nothing happens, nothing is shown
        QVERIFY(navigateAndWait(active(), server.url("/a")));
        QVERIFY(navigateAndWait(active(), server.url("/b")));
        click("BACK");
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/a"), webWaitMs);
        click("NEXT");
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/b"), webWaitMs);
        click("NAVIGATE:BACK");
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/a"), webWaitMs);
        click("NAVIGATE:HOME");
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/start"), webWaitMs);
        state().translatorAddress = server.url("/trans");
        click("EDIT:TRANS");
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/trans"), webWaitMs);
        click("EDIT:PROPERTIES");
        QCOMPARE(browser->dialogs.messages.value(0), "/trans\n" + server.url("/trans"));
        QCOMPARE(browser->dialogs.messages.size(), 1);
    }

    void stopEndsALoadingPage()
    {
        server.setHeld("/slow");
        active()->Navigate(server.url("/slow"));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/slow") == 1 && active()->Busy(), webWaitMs);
        click("EDIT:STOP");
        QTRY_VERIFY_WITH_TIMEOUT(!active()->Busy(), 5000);
    }

    void searchButtons()
    {
        click("GOOGLE");
        QCOMPARE(form().Text1->currentText(), server.url("/search"));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/search"), 1, webWaitMs);
        QCOMPARE(form().Text1->count(), 0);
        // Without the setting the box is emptied and the start page opens.
        state().searchUrl.clear();
        click("GOOGLE");
        QCOMPARE(form().Text1->currentText(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/startpage"), 1, webWaitMs);
    }

    void startAddressFromTheBox()
    {
        form().Text1->setEditText(server.url("/b"));
        click("NAVIGATE:PICKHOME");
        QCOMPARE(state().startAddress, server.url("/b"));
        QCOMPARE(options().value(4), server.url("/b"));
        // The home command opens the new start address.
        click("NAVIGATE:HOME");
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/b"), webWaitMs);
        form().Text1->setEditText(QString());
        click("NAVIGATE:PICKHOME");
        QCOMPARE(options().value(4), QString());
    }

    void bookmark()
    {
        click("NAVIGATE:PICK");
        QCOMPARE(browser->folder.readBytes("Data/TamzoBook.bm"), QByteArray("\r\n"));

        server.setPage("/withlink", "<html><body><a id='l' href='/b'>go</a></body></html>");
        form().Text1->setEditText(server.url("/withlink"));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(waitForDocument(active()));
        active()->engine()->page()->runJavaScript("document.getElementById('l').click()");
        QTRY_COMPARE_WITH_TIMEOUT(state().currentAddress, server.url("/b"), webWaitMs);
        click("NAVIGATE:PICK");
        QCOMPARE(browser->folder.readLines("Data/TamzoBook.bm"), QStringList{server.url("/withlink")});

        const int asked = server.requestCount("/withlink");
        form().Text1->setEditText("elsewhere");
        click("NAVIGATE:GO");
        QCOMPARE(form().Text1->currentText(), server.url("/withlink"));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/withlink"), asked + 1, webWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/withlink"), webWaitMs);
        QCOMPARE(form().Text1->count(), 1);

        // Without a bookmark file the command does nothing.
        QVERIFY(QFile::remove(browser->folder.path("Data/TamzoBook.bm")));
        form().Text1->setEditText("unchanged");
        click("NAVIGATE:GO");
        QTest::qWait(300);
        QCOMPARE(form().Text1->currentText(), QString("unchanged"));
        QCOMPARE(server.requestCount("/withlink"), asked + 1);
        QVERIFY(browser->dialogs.messages.isEmpty());
    }

    void stylesRestyleWithoutSaving()
    {
        const QStringList before = options();
        click("FILE:XP");
        QCOMPARE(state().barStyle, qint16(3));
        QVERIFY(action("FILE:XP")->isChecked());
        QVERIFY(!action("FILE:OFFICE")->isChecked());
        for (QWidget *bar : {static_cast<QWidget *>(form().cmdBar0), form().cmdBar1, static_cast<QWidget *>(form().cmdBar2)})
            QCOMPARE(bar->styleSheet(), CommandBars::styleSheet(3));
        QCOMPARE(options(), before);
        // The four looks differ from each other.
        QSet<QString> looks;
        for (int style = 0; style < 4; ++style)
            looks.insert(CommandBars::styleSheet(style));
        QCOMPARE(looks.size(), 4);
    }

    void floatingMode()
    {
        click("FILE:FLOATING");
        QVERIFY(action("FILE:FLOATING")->isChecked());
        QCOMPARE(state().floatingBar, qint16(1));
        QVERIFY(form().Timer1.isActive());
        QCOMPARE(form().Timer1.interval(), 750);
        QVERIFY(!state().barsShown);
        QVERIFY(!form().picStat->isVisible());
        QCOMPARE(active()->geometry().top(), 0);

        // The watcher shows the bars near the top edge and hides them again below the bar.
        const int top = form().frameGeometry().top();
        form().setPointerSource([top] { return QPoint(10, top + 5); });
        form().Timer1_Timer();
        QVERIFY(state().barsShown);
        QVERIFY(form().picStat->isVisible());
        QCOMPARE(form().Timer1.interval(), 1500);
        form().setPointerSource([top] { return QPoint(10, top + 40); }); // over the bar: nothing changes
        form().Timer1_Timer();
        QVERIFY(state().barsShown);
        form().setPointerSource([top] { return QPoint(10, top + 300); });
        form().Timer1_Timer();
        QVERIFY(!state().barsShown);

        // A menu stops the watcher while it is open; the address box's focus stops it too.
        form().menuShown();
        QVERIFY(!form().Timer1.isActive());
        form().menuClosed();
        QVERIFY(form().Timer1.isActive());
        form().Text1->lineEdit()->setFocus();
        QTRY_VERIFY(!form().Timer1.isActive());

        click("FILE:FLOATING");
        QCOMPARE(state().floatingBar, qint16(0));
        QVERIFY(!form().Timer1.isActive());
        QVERIFY(!state().barsShown); // the bars stay as they are
    }

    void barsOffAndOnTwice()
    {
        const QRect shown = active()->geometry();
        form().GO_BarOff();
        const QRect hidden = active()->geometry();
        QCOMPARE(hidden.top(), 0);
        QCOMPARE(hidden.height(), form().height() - form().picStat->height());
        form().GO_BarOff();
        QCOMPARE(active()->geometry(), hidden);
        QVERIFY(!state().barsShown);
        // A tab made active meanwhile follows the same rule.
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        QCOMPARE(active()->geometry().top(), 0);
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(0).center());
        form().GO_BarOn();
        QCOMPARE(active()->geometry(), shown);
        form().GO_BarOn();
        QCOMPARE(active()->geometry(), shown);
        QVERIFY(state().barsShown);
    }

    void f12FillsTheScreenWhereverTheFocusIs()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        form().activateWindow();
        for (QWidget *focus : {static_cast<QWidget *>(form().Text1->lineEdit()), active()->engine()->focusProxy()}) {
            form().setGeometry(100, 100, 900, 600);
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_F12);
            QTRY_COMPARE(form().geometry(), screen);
        }
    }

    void shellHandOvers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("verb");
        QTest::addColumn<bool>("inFolder");
        QTest::newRow("explorer") << "FILE:EXPLORER" << "http://typed.example/" << "" << false;
        QTest::newRow("security") << "FILE:SECURITY" << "wscui.cpl" << "" << false;
        QTest::newRow("volume") << "FILE:VOLUME" << "mmsys.cpl" << "" << false;
        QTest::newRow("internet") << "FILE:INTERNET" << "INETCPL.CPL" << "" << false;
        QTest::newRow("language file") << "EDIT:TXT" << "Languages/Lang_English.txt" << "" << true;
        QTest::newRow("travel log") << "TRAVEL:LOG" << "TravelLog.txt" << "" << true;
    }
    void shellHandOvers()
    {
        QFETCH(QString, key);
        QFETCH(QString, target);
        QFETCH(QString, verb);
        QFETCH(bool, inFolder);
        form().Timer4_Timer();
        form().Text1->setEditText("http://typed.example/");
        click(key);
        QCOMPARE(browser->shell.targets.size(), 1);
        const QString expected = inFolder ? browser->folder.path(target) : target;
        QCOMPARE(browser->shell.targets.first(), expected);
        QCOMPARE(browser->shell.verbs.first(), verb);
    }

    void findInThePage()
    {
        QVERIFY(navigateAndWait(active(), server.url("/a")));
        click("EDIT:FINDDOC");
        QVERIFY(form().findBar().isVisible());
        QLineEdit *text = form().findBar().findChild<QLineEdit *>();
        QTest::keyClicks(text, "apple");
        QTRY_COMPARE_WITH_TIMEOUT(form().findBar().matchText(), QString("1/2"), webWaitMs);
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(form().findBar().matchText(), QString("2/2"), webWaitMs);
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!form().findBar().isVisible());
    }

    void minimisedCaptionAndRestore()
    {
        form().setGeometry(100, 200, 900, 600);
        form().showMinimized();
        QTRY_VERIFY(form().isMinimized());
        QCOMPARE(form().windowTitle(), QString(BrowserFixture::loadingCaption));
        const QRect before = form().geometry();
        form().showNormal();
        QTRY_COMPARE(form().windowTitle(), QString("Start - TamzoTravel"));
        QCOMPARE(form().geometry().top(), before.top() - 19);
        QCOMPARE(form().geometry().bottom(), before.bottom());
    }
};

TAMZO_TEST_MAIN(tst_Commands)
#include "tst_commands.moc"
