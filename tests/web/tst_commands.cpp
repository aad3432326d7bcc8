#include "browserfixture.h"
#include "app/floatingbar.h"
#include "browsing/findbar.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "browsing/tabstrip.h"
#include "commands/dispatcher.h"
#include "menuclick.h"
#include "modaldriver.h"
#include "testmain.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QTimer>
#include <QFile>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>
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

// A desktop look whose toolbar buttons take more room than the test platform's own.
class RoomyStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_ToolBarItemSpacing || metric == PM_ButtonMargin)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

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
        for (const char *page : {"/a", "/b", "/search", "/trans", "/dictionary", "/map", "/social", "/shop"})
            server.setPage(page, QByteArray("<html><head><title>") + page + "</title></head><body>page " + page +
                                     " apple apple</body></html>");
    }
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        browser->writeLanguage("English", server, 5, ProgramState::captionSlots - 1,
                               {"DICTIONARY_URL=" + server.url("/dictionary"), "MAP_URL=" + server.url("/map"),
                                "SOCIAL_URL=" + server.url("/social"), "ECOMMERCE_URL=" + server.url("/shop"),
                                "TRANSLATOR_PATH=" + server.url("/trans")});
        // Every page's title is its path.
        server.setPage("/start", "<html><head><title>/start</title></head><body>start</body></html>");
        browser->writeLanguage("Second", server, 5, 100,
                               {"SEARCH_DESCR=Find it", "MAP_DESCR=Maps", "TRANSLATOR_PATH=" + server.url("/trans")});
        QVERIFY(browser->start(server));
        QTRY_COMPARE_WITH_TIMEOUT(form().progressBar->value(), 100, webWaitMs);
    }
    void cleanup() { browser.reset(); }

    void barsCarryTheCatalogue()
    {
        const CommandCatalogue &catalogue = form().catalogue();
        QCOMPARE(keysOf(form().cmdBar0->actions()), catalogue.bar("STANDARD0"));
        QCOMPARE(keysOf(form().cmdBar2->actions()), catalogue.bar("STANDARD2"));
        QVERIFY(catalogue.bar("LANG").contains("LANG:SECOND"));
        for (const QString &title : CommandCatalogue::menuTitles) {
            QCOMPARE(action(title)->menu(), form().bars().menu(title));
            QCOMPARE(keysOf(form().bars().menu(title)->actions()), catalogue.bar(title));
        }
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
        QCOMPARE(action("EDIT:TXT")->text(), QString("Lang_English.txt"));
        QCOMPARE(action("GOOGLE")->toolTip(), QString());

        click("LANG:SECOND");
        QCOMPARE(state().languageName, QString("Second"));
        QCOMPARE(options().value(5), QString("Second"));
        QCOMPARE(action("EDIT:TXT")->text(), QString("Lang_Second.txt"));
        QCOMPARE(action("GOOGLE")->toolTip(), QString("Find it"));
        QCOMPARE(action("MAP")->toolTip(), QString("Maps"));
        QCOMPARE(action("NAVIGATE:GO")->text(), QString());      // 169 is past the shorter file
        QCOMPARE(action("NAVIGATE:BACK")->text(), QString("Second 2"));
        QCOMPARE(action("TRAVEL")->toolTip(), QString());
        QCOMPARE(form().cmdMove->toolTip(), QString());

        // Every caption and tooltip the language gives changed with it.
        const QRegularExpression english("^English \\d+$");
        QStringList changed;
        for (const char *title : {"NAVIGATE", "FILE", "EDIT", "SAVE", "TRAVEL"}) {
            for (QAction *item : form().bars().menu(title)->actions()) {
                if (item->isSeparator() || item->objectName() == "EDIT:TXT")
                    continue;
                QVERIFY2(!english.match(item->text()).hasMatch(), qPrintable(item->text()));
                changed << item->objectName();
            }
        }
        click("LANG:ENGLISH");
        for (const QString &key : changed)
            QVERIFY2(english.match(action(key)->text()).hasMatch(), qPrintable(key + " " + action(key)->text()));
        QCOMPARE(options().value(5), QString("English"));
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

    // A menu opened to look and closed unused is no command: travel goes on counting down. An
    // entry chosen from it, or a button clicked, stops travel and clears the countdown.
    void onlyACommandStopsTravel_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("stops");
        QTest::newRow("menu looked into") << "TRAVEL" << QString() << false;
        QTest::newRow("another menu looked into") << "EDIT" << QString() << false;
        QTest::newRow("menu entry chosen") << "NAVIGATE" << "NAVIGATE:REFRESH" << true;
        QTest::newRow("journey's picture opened") << "TRAVEL" << "TRAVEL:JOURNEY" << false;
        QTest::newRow("button clicked") << QString() << "GOOGLE" << true;
    }
    void onlyACommandStopsTravel()
    {
        QFETCH(QString, title);
        QFETCH(QString, command);
        QFETCH(bool, stops);
        form().travel().startTravel(2);
        form().travel().Timer3_Timer();
        QCOMPARE(form().timeBar->text(), QString("  59"));
        if (command.isEmpty()) {
            QVERIFY(lookIntoMenu(form().cmdBar0, action(title)));
        } else if (!title.isEmpty()) {
            QVERIFY(chooseFromMenu(form().cmdBar0, action(title), action(command)));
        } else {
            QWidget *button = form().cmdBar2->widgetForAction(action(command));
            QTest::mouseMove(button, button->rect().center());
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        }
        QCOMPARE(form().travel().Timer2.isActive(), !stops);
        QCOMPARE(form().travel().Timer3.isActive(), !stops);
        if (stops) {
            QCOMPARE(form().timeBar->text(), QString());
        } else {
            form().travel().Timer3_Timer();
            QCOMPARE(form().timeBar->text(), QString("  58"));
        }
    }

    // Every command of the main window whose effect shows offscreen, each with an effect of its own,
    // so that a swapped address or page-command number cannot pass.
    void everyCommandDoesItsOwnThing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("effect");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *key, const char *setup, const char *effect, const char *expected) {
            QTest::newRow(key) << key << setup << effect << expected;
        };
        row("GOOGLE", "", "page", "/search");
        row("WIKI", "", "page", "/dictionary");
        row("MAP", "", "page", "/map");
        row("SOCIAL", "", "page", "/social");
        row("EBAY", "", "page", "/shop");
        row("BACK", "a b", "page", "/a");
        row("NAVIGATE:BACK", "a b", "page", "/a");
        row("NEXT", "a b back", "page", "/b");
        row("NAVIGATE:NEXT", "a b back", "page", "/b");
        row("NAVIGATE:HOME", "a", "page", "/start");
        row("NAVIGATE:GO", "bookmark", "page", "/b");
        row("EDIT:TRANS", "", "page", "/trans");
        row("NAVIGATE:REFRESH", "a", "reload", "/a");
        row("EDIT:STOP", "held", "stopped", "");
        row("EDIT:PROPERTIES", "a", "message", "/a");
        row("EDIT:SELECT", "field caret", "field", "hello|0-5|kept");
        row("EDIT:COPY", "field", "field", "hello|0-5|hello");
        row("EDIT:CUT", "field", "field", "|0-0|hello");
        row("EDIT:PASTE", "field", "field", "kept|4-4|kept");
        row("EDIT:DELETE", "field", "field", "|0-0|kept");
        row("PRINT", "a", "printing", "printer");
        row("EDIT:PRINT", "a", "printing", "printer");
        row("EDIT:PREVIEW", "a", "printing", "preview");
        row("EDIT:PAGESET", "a", "printing", "page setup");
        row("NAVIGATE:PICKHOME", "typed /b", "options", "/b");
        row("NAVIGATE:PICK", "entered /a", "bookmark", "/a");
        row("TRAVEL:TRE", "", "speed", "1");
        row("TRAVEL:SEI", "", "speed", "2");
        row("TRAVEL:DODICI", "", "speed", "4");
        row("TRAVEL:STOP", "travel", "speed", "0");
        row("FILE:SYSTEM", "", "style", "0");
        row("FILE:OFFICE", "xp", "style", "1");
        row("FILE:MONEY", "", "style", "2");
        row("FILE:XP", "", "style", "3");
        row("MIN", "", "minimized", "");
        row("EXIT0", "", "exit", "");
        row("EXIT2", "", "exit", "");
        row("EDIT:EXIT", "", "exit", "");
    }
    void everyCommandDoesItsOwnThing()
    {
        QFETCH(QString, key);
        QFETCH(QString, setup);
        QFETCH(QString, effect);
        QFETCH(QString, expected);
        const auto runInPage = [this](const QString &script) {
            return readDocument<QVariant>([&](auto done) { active()->engine()->page()->runJavaScript(script, done); });
        };
        const QString field = "var f = document.getElementById('f');";

        if (setup.startsWith("a"))
            QVERIFY(navigateAndWait(active(), server.url("/a")));
        if (setup.startsWith("a b"))
            QVERIFY(navigateAndWait(active(), server.url("/b")));
        if (setup == "a b back") {
            QSignalSpy loaded(active(), &WebView::DocumentComplete);
            active()->GoBack();
            QVERIFY(waitForLoaded(loaded, server.url("/a")));
        }
        if (setup == "held") {
            server.setHeld("/slow");
            const int held = server.requestCount("/slow");
            active()->Navigate(server.url("/slow"));
            QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/slow") == held + 1 && active()->Busy(), webWaitMs);
        }
        if (setup == "bookmark")
            browser->folder.write("Data/TamzoBook.bm", {server.url("/b")});
        if (setup.startsWith("typed"))
            form().Text1->setEditText(server.url(setup.section(' ', 1)));
        if (setup.startsWith("entered")) {
            form().Text1->setEditText(server.url(setup.section(' ', 1)));
            QTest::keyClick(form().Text1, Qt::Key_Return);
            QVERIFY(waitForDocument(active()));
            form().Text1->setEditText("elsewhere");
        }
        if (setup == "travel")
            form().travel().startTravel(2);
        if (setup == "xp")
            click("FILE:XP");
        if (setup.startsWith("field")) {
            server.setPage("/form", "<html><head><title>Form</title></head><body><input id='f' value='hello'></body></html>");
            QVERIFY(navigateAndWait(active(), server.url("/form")));
            form().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form()));
            active()->SetFocus();
            QGuiApplication::clipboard()->setText("kept");
            runInPage(field + (setup == "field caret" ? "f.focus(); f.setSelectionRange(5, 5);" : "f.focus(); f.select();"));
        }

        const int asked = server.requestCount(expected);
        const QString before = form().Text1->currentText();
        click(key);

        if (effect == "page") {
            QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url(expected), webWaitMs);
            // The page itself is there, not just its address: its title names its path.
            QTRY_COMPARE_WITH_TIMEOUT(active()->LocationName(), expected, webWaitMs);
            QCOMPARE(form().Text1->count(), 0);
        } else if (effect == "reload") {
            QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(expected), asked + 1, webWaitMs);
            QCOMPARE(active()->LocationURL(), server.url(expected));
        } else if (effect == "stopped") {
            QTRY_VERIFY_WITH_TIMEOUT(!active()->Busy(), webWaitMs);
        } else if (effect == "message") {
            QCOMPARE(browser->dialogs.messages, QStringList{expected + "\n" + server.url(expected)});
        } else if (effect == "field") {
            const auto state = [&]() -> QString {
                return runInPage(field + "f.value + '|' + f.selectionStart + '-' + f.selectionEnd").toString() + "|" +
                       QGuiApplication::clipboard()->text();
            };
            QTRY_COMPARE_WITH_TIMEOUT(state(), expected, webWaitMs);
        } else if (effect == "printing") {
            QCOMPARE(browser->dialogs.printing, QStringList{expected});
        } else if (effect == "options") {
            QCOMPARE(options().value(4), server.url(expected));
        } else if (effect == "bookmark") {
            QCOMPARE(browser->folder.readLines("Data/TamzoBook.bm"), QStringList{server.url(expected)});
            QCOMPARE(form().Text1->currentText(), before);
        } else if (effect == "speed") {
            QCOMPARE(state().travelSpeed, qint16(expected.toInt()));
            QCOMPARE(form().travel().Timer2.isActive(), expected != "0");
        } else if (effect == "style") {
            QCOMPARE(state().barStyle, qint16(expected.toInt()));
            QCOMPARE(form().cmdBar0->styleSheet(), CommandBars::styleSheet(expected.toInt()));
        } else if (effect == "minimized") {
            QTRY_VERIFY(form().isMinimized());
        } else if (effect == "exit") {
            QVERIFY(!form().isVisible());
            QCOMPARE(options().value(0), QString(" 1")); // written back by the exit
        } else {
            QFAIL("unknown effect");
        }
        if (effect != "message")
            QCOMPARE(browser->dialogs.messages, QStringList());
    }

    // Nothing a user pastes into the address box can add a line to a file.
    void lineBreaksNeverReachAFile_data()
    {
        QTest::addColumn<QString>("lineBreak");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CR LF") << "\r\n";
        QTest::newRow("CR") << "\r";
        QTest::newRow("line separator") << QString(QChar::LineSeparator);
        QTest::newRow("paragraph separator") << QString(QChar::ParagraphSeparator);
    }
    void lineBreaksNeverReachAFile()
    {
        QFETCH(QString, lineBreak);
        const QString address = server.url("/b");
        const QString pasted = address.left(12) + lineBreak + address.mid(12) + lineBreak;
        form().Text1->setEditText(pasted);
        QVERIFY(form().Text1->currentText().contains(lineBreak));
        click("NAVIGATE:PICKHOME");
        QCOMPARE(options(), (QStringList{" 1", " 0", " 0", " 0", address, "English"}));

        QSignalSpy loaded(active(), &WebView::DocumentComplete);
        form().Text1->setEditText(pasted);
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QCOMPARE(form().Text1->currentText(), address);
        QVERIFY(waitForLoaded(loaded, address));
        click("NAVIGATE:PICK");
        QCOMPARE(browser->folder.readLines("Data/TamzoBook.bm"), QStringList{address});
        form().GO_Exit();
        QCOMPARE(browser->folder.readLines("Data/TamzoTravel.Hys"), QStringList{address});
        QCOMPARE(options(), (QStringList{" 1", " 0", " 0", " 0", address, "English"}));
    }

    void rightBarShowsEveryButton_data()
    {
        QTest::addColumn<QString>("look");
        QTest::addColumn<bool>("roomy");
        for (const char *look : {"FILE:SYSTEM", "FILE:OFFICE", "FILE:MONEY", "FILE:XP"})
            QTest::newRow(look) << look << false;
        QTest::newRow("a roomy desktop look") << "FILE:SYSTEM" << true;
    }
    void rightBarShowsEveryButton()
    {
        QFETCH(QString, look);
        QFETCH(bool, roomy);
        const QString platformStyle = QApplication::style()->name();
        if (roomy)
            QApplication::setStyle(new RoomyStyle(QStyleFactory::create(platformStyle)));
        const auto restore = qScopeGuard([&] {
            if (roomy)
                QApplication::setStyle(platformStyle);
        });
        click(look);
        // The bar lays its buttons out when the new look has reached them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        for (QAction *item : form().cmdBar2->actions()) {
            if (item->isSeparator())
                continue;
            const QWidget *button = form().cmdBar2->widgetForAction(item);
            QVERIFY2(button && button->isVisible(), qPrintable(item->objectName()));
            const QRect inWindow(button->mapTo(&form(), QPoint(0, 0)), button->size());
            QVERIFY2(form().rect().contains(inWindow), qPrintable(item->objectName()));
        }
        if (const auto *overflow = form().cmdBar2->findChild<QToolButton *>("qt_toolbar_ext_button"))
            QVERIFY(!overflow->isVisible());
    }

    // The language menu marks the language in use, at start-up too; each entry's tooltip names its file.
    void languageEntriesMarkTheLanguageAndShowTheirFile()
    {
        const auto marked = [this] {
            QStringList keys;
            for (QAction *entry : form().bars().menu("LANG")->actions()) {
                if (entry->isChecked())
                    keys << entry->objectName();
            }
            return keys;
        };
        QCOMPARE(marked(), QStringList{"LANG:ENGLISH"});
        for (int again = 0; again < 2; ++again) {
            chooseFromMenu(form().cmdBar0, action("LANG"), action("LANG:SECOND"));
            QCOMPARE(marked(), QStringList{"LANG:SECOND"});
        }
        // The next run starts in the language chosen.
        QCOMPARE(options().value(5).toLower(), QString("second"));
        browser->form.reset();
        browser->state = std::make_unique<ProgramState>(AppFolder(browser->folder.root()));
        browser->form = std::make_unique<frmStart>(*browser->state, browser->dialogs, browser->shell);
        QVERIFY(browser->start(server));
        QCOMPARE(marked(), QStringList{"LANG:SECOND"});

        QMenu *menu = form().bars().menu("LANG");
        menu->popup(form().mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY(menu->isVisible());
        const QPoint over = menu->actionGeometry(action("LANG:SECOND")).center();
        QHelpEvent help(QEvent::ToolTip, over, menu->mapToGlobal(over));
        QApplication::sendEvent(menu, &help);
        QTRY_COMPARE(QToolTip::text(), QString("Lang_Second.txt"));
        menu->hide();
    }

    // The pointer rests on a menu title while the keyboard picks an entry that opens a window; the
    // user moves the pointer to the window and closes it. The title is lit no longer.
    void aMenuTitleIsLitOnlyUnderThePointer_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("entry");
        QTest::newRow("about box") << "FILE" << "FILE:BRUSALDO";
        QTest::newRow("language editor") << "LANG" << "LANG:NEW";
    }
    void aMenuTitleIsLitOnlyUnderThePointer()
    {
        QFETCH(QString, title);
        QFETCH(QString, entry);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        auto *button = qobject_cast<QToolButton *>(form().cmdBar0->widgetForAction(action(title)));
        QWidget *page = active()->engine()->focusProxy();
        const auto pointTo = [](QWidget *widget, QPoint at) {
            QCursor::setPos(widget->mapToGlobal(at));
            QTest::mouseMove(widget, at);
        };
        pointTo(page, {200, 200});
        QTRY_VERIFY(!button->underMouse());
        const QImage idle = button->grab().toImage();

        QMenu *menu = form().bars().menu(title);
        QTimer keys;
        connect(&keys, &QTimer::timeout, this, [&] {
            if (!menu->isVisible())
                return;
            keys.stop();
            QTimer::singleShot(0, menu, [&] {
                for (int step = 0; step < menu->actions().size() && menu->activeAction() != action(entry); ++step)
                    QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            });
        });
        keys.start(10);
        bool opened = false;
        const ModalDriver<QDialog> window([&](QDialog &shown) {
            opened = true;
            pointTo(&shown, shown.rect().center());
        });
        pointTo(button, button->rect().center());
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QTRY_VERIFY(opened && !QApplication::activeModalWidget());
        pointTo(page, {220, 240});
        QTRY_VERIFY(!button->underMouse());
        QCOMPARE(button->grab().toImage(), idle);
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
        // The page shown is stored, the start page too.
        click("NAVIGATE:PICK");
        QCOMPARE(browser->folder.readLines("Data/TamzoBook.bm"), QStringList{server.url("/start")});

        server.setPage("/withlink", "<html><body><a id='l' href='/b'>go</a></body></html>");
        form().Text1->setEditText(server.url("/withlink"));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(waitForDocument(active()));
        active()->engine()->page()->runJavaScript("document.getElementById('l').click()");
        QTRY_COMPARE_WITH_TIMEOUT(state().currentAddress, server.url("/b"), webWaitMs);
        click("NAVIGATE:PICK");
        QCOMPARE(browser->folder.readLines("Data/TamzoBook.bm"), QStringList{server.url("/b")});
        // The language's own words say so (this test's language numbers its captions).
        QCOMPARE(form().statusBar->text(), "English 382 " + server.url("/b"));

        const int asked = server.requestCount("/b");
        form().Text1->setEditText("elsewhere");
        click("NAVIGATE:GO");
        QCOMPARE(form().Text1->currentText(), server.url("/b"));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/b"), asked + 1, webWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), server.url("/b"), webWaitMs);
        QCOMPARE(form().Text1->count(), 1);

        // Without a bookmark file the command does nothing.
        QVERIFY(QFile::remove(browser->folder.path("Data/TamzoBook.bm")));
        form().Text1->setEditText("unchanged");
        click("NAVIGATE:GO");
        QTest::qWait(300);
        QCOMPARE(form().Text1->currentText(), QString("unchanged"));
        QCOMPARE(server.requestCount("/b"), asked + 1);
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
        QVERIFY(form().floatingBar().Timer1.isActive());
        QCOMPARE(form().floatingBar().Timer1.interval(), 750);
        QVERIFY(!state().barsShown);
        QVERIFY(!form().picStat->isVisible());
        QCOMPARE(active()->geometry().top(), 0);

        // The watcher shows the bars near the top edge and hides them again below the bar.
        const int top = form().frameGeometry().top();
        form().floatingBar().setPointerSource([top] { return QPoint(10, top + 5); });
        form().floatingBar().Timer1_Timer();
        QVERIFY(state().barsShown);
        QVERIFY(form().picStat->isVisible());
        QCOMPARE(form().floatingBar().Timer1.interval(), 1500);
        form().floatingBar().setPointerSource([top] { return QPoint(10, top + 40); }); // over the bar: nothing changes
        form().floatingBar().Timer1_Timer();
        QVERIFY(state().barsShown);
        form().floatingBar().setPointerSource([top] { return QPoint(10, top + 300); });
        form().floatingBar().Timer1_Timer();
        QVERIFY(!state().barsShown);

        // A menu stops the watcher while it is open; the address box's focus stops it too.
        form().menuShown();
        QVERIFY(!form().floatingBar().Timer1.isActive());
        form().menuClosed();
        QVERIFY(form().floatingBar().Timer1.isActive());
        form().Text1->lineEdit()->setFocus();
        QTRY_VERIFY(!form().floatingBar().Timer1.isActive());

        click("FILE:FLOATING");
        QCOMPARE(state().floatingBar, qint16(0));
        QVERIFY(!form().floatingBar().Timer1.isActive());
        QVERIFY(!state().barsShown); // the bars stay as they are
    }

    void barsOffAndOnTwice()
    {
        const QRect shown = active()->geometry();
        form().floatingBar().GO_BarOff();
        const QRect hidden = active()->geometry();
        QCOMPARE(hidden.top(), 0);
        QCOMPARE(hidden.height(), form().height() - form().picStat->height());
        form().floatingBar().GO_BarOff();
        QCOMPARE(active()->geometry(), hidden);
        QVERIFY(!state().barsShown);
        // A tab made active meanwhile follows the same rule.
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        QCOMPARE(active()->geometry().top(), 0);
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(0).center());
        form().floatingBar().GO_BarOn();
        QCOMPARE(active()->geometry(), shown);
        form().floatingBar().GO_BarOn();
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
            QCOMPARE(form().frameGeometry(), screen);
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

    void aSettingsPanelTheDesktopLacksIsNamedInTheStatusLine()
    {
        browser->shell.handsOver = false;
        click("FILE:VOLUME");
        QCOMPARE(form().statusBar->text(), QString("English 281"));
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
        QVERIFY(form().windowFlags().testFlag(Qt::FramelessWindowHint));
        const QRect placed(100, 200, 900, 600);
        form().setGeometry(placed);
        for (int cycle = 0; cycle < 10; ++cycle) {
            form().showMinimized();
            QTRY_VERIFY(form().isMinimized());
            QCOMPARE(form().windowTitle(), QString(BrowserFixture::loadingCaption));
            form().showNormal();
            QTRY_COMPARE(form().windowTitle(), QString("/start - TamzoTravel"));
            QCOMPARE(form().geometry(), placed);
        }
        QCOMPARE(form().frameGeometry(), placed);
    }
};

TAMZO_TEST_MAIN(tst_Commands)
#include "tst_commands.moc"
