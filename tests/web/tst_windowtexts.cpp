#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "language/languagefile.h"
#include "settings/optionsfile.h"
#include "menuclick.h"
#include "modaldriver.h"
#include "platform/qtuserdialogs.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStyle>
#include <QWindow>

// What the window says: its title, the texts of a lost language, the room of the tab captions, the
// titles of its save dialogs.
class tst_WindowTexts : public BrowserTest
{
    Q_OBJECT
    // Types an address into the address box as the user does, and presses Enter.
    void type(const QString &address)
    {
        form().Text1->lineEdit()->selectAll();
        QTest::keyClicks(form().Text1->lineEdit(), address);
        QTest::keyClick(form().Text1->lineEdit(), Qt::Key_Return);
    }
    // The delivered files, the language chosen speaking with its delivered file, not the test's own.
    void useDeliveredLanguage(const QString &language)
    {
        const QString file = "Lang_" + language + ".txt";
        browser->folder.stageDelivered();
        QFile::remove(browser->folder.path("TamzoFirst.txt"));
        QFile::remove(browser->folder.path("Languages/" + file));
        QVERIFY(QFile::copy(browser->folder.path(file), browser->folder.path("Languages/" + file)));
        browser->folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), language});
    }

    // The window is frameless: the user drags its right edge with the pointer, a few pixels at a time.
    void dragRightEdgeTo(int width)
    {
        QWindow *window = form().windowHandle();
        const QPoint from(form().width() - 2, form().height() / 2);
        const QPoint pressedAt = window->mapToGlobal(from);
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        const int drag = width - form().width();
        for (int i = 1, steps = std::abs(drag) / 4 + 1; i <= steps; ++i)
            QTest::mouseMove(window, window->mapFromGlobal(pressedAt + QPoint(drag * i / steps, 0)));
        QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(pressedAt + QPoint(drag, 0)));
        QTRY_COMPARE(form().width(), width);
    }

private slots:
    void initTestCase()
    {
        server.setPage("/b", "<html><head><title>Beta page</title></head><body>b</body></html>");
    }
    void init() { browser = std::make_unique<BrowserFixture>(server); }
    void cleanup() { browser.reset(); }

    void titleFollowsTheActiveTab()
    {
        QVERIFY(browser->start(server));
        QCOMPARE(form().windowTitle(), QString("Start - TamzoTravel"));
        form().Text1->setEditText(server.url("/b"));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(form().windowTitle(), QString("Beta page - TamzoTravel"), webWaitMs);
        // A page in another tab leaves the title alone; showing the tab brings its title.
        QSignalSpy second(form().tabs().Web(1), &WebView::DocumentComplete);
        form().tabs().Web(1)->Navigate(server.url("/start"));
        QVERIFY(waitForLoaded(second, server.url("/start")));
        QCOMPARE(form().windowTitle(), QString("Beta page - TamzoTravel"));
        form().tabs().setTabCaption(1, "Start");
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        QCOMPARE(form().windowTitle(), QString("Start - TamzoTravel"));
    }

    // A lost language falls back on the English file or, without one, on the built-in English, which
    // gives the texts and settings of the delivered file; one word says what is missing. The choice
    // stays, but a name no file could have is not kept.
    void aLostLanguageFallsBackToEnglishOnce_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("englishThere");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept");
        QTest::newRow("Deutsch lost") << "Deutsch" << true << "This language file is missing; English is used for now:"
                                      << "Deutsch";
        QTest::newRow("English lost") << "English" << false << "The English language file is missing" << "English";
        QTest::newRow("both lost") << "Deutsch" << false << "This language file is missing" << "Deutsch";
        QTest::newRow("a path") << "../../Data/TamzoTravel" << false << "This language name cannot be used" << "English";
    }
    void aLostLanguageFallsBackToEnglishOnce()
    {
        QFETCH(QString, language);
        QFETCH(bool, englishThere);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        QVERIFY(englishThere || QFile::remove(browser->folder.path("Languages/Lang_English.txt")));
        browser->folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), language});
        QVERIFY(browser->start(server));
        QCOMPARE(browser->dialogs.messages.size(), 1);
        const QString said = browser->dialogs.messages.first();
        QVERIFY2(said.startsWith(message), qPrintable(said));
        QVERIFY2(!englishThere || said.contains("Lang_" + language + ".txt"), qPrintable(said));
        TempAppFolder delivered;
        delivered.stageDelivered();
        ProgramState english{AppFolder(delivered.root())};
        LanguageFile::readFile(english, englishThere ? browser->folder.path("Languages/Lang_English.txt")
                                                     : delivered.path("Lang_English.txt"));
        QCOMPARE(form().bars().action("NAVIGATE:GO")->text(), english.caption(169));
        if (englishThere)
            QCOMPARE(state().tabWidth, 3000); // the width the test's English file sets
        QCOMPARE(form().tabs().TabCount(), 5);
        form().GO_Exit();
        QCOMPARE(browser->folder.readLines("Data/TamzoTravel.Opt").value(5), kept);
    }

    void deliveredTabWidthGivesReadableTabs_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "English";
        QTest::newRow("Italiano") << "Italiano";
    }
    void deliveredTabWidthGivesReadableTabs()
    {
        QFETCH(QString, language);
        useDeliveredLanguage(language);
        QVERIFY(browser->start(server));
        QCOMPARE(form().tabs().TabCount(), 5);
        // A window filling a 1920-pixel screen.
        form().resize(1920, 1000);
        QTRY_COMPARE(form().width(), 1920);
        const int tabPixels = form().Tab1->width() / 5;
        const int captionRoom = tabPixels - form().Tab1->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, form().Tab1);
        const int dozen = form().Tab1->fontMetrics().horizontalAdvance(QString("Alpha.beta12"));
        qInfo("tab %d px, caption room %d px, a dozen characters %d px, address box %d of %d px", tabPixels,
              captionRoom, dozen, form().Text1->width(), form().picBar->width());
        QVERIFY2(captionRoom >= dozen, qPrintable(QString("%1 < %2").arg(captionRoom).arg(dozen)));
        QVERIFY2(form().Text1->width() * 2 >= form().picBar->width(),
                 qPrintable(QString("%1 of %2").arg(form().Text1->width()).arg(form().picBar->width())));
    }

    // However narrow the window, every tab shows its caption's first letter, whole, and the
    // active tab lies within the strip, beside the address box.
    void narrowWindowKeepsEveryTabReadable_data()
    {
        QTest::addColumn<int>("width");
        for (const int width : {1000, 800, 600})
            QTest::addRow("%d pixels", width) << width;
    }
    void narrowWindowKeepsEveryTabReadable()
    {
        QFETCH(int, width);
        useDeliveredLanguage("English");
        QVERIFY(browser->start(server));
        dragRightEdgeTo(width);
        // The tabs are opened in the narrow window: each free tab becomes a copy of the one
        // before, and the last one gets an address of its own.
        TabStrip *strip = form().Tab1;
        for (int tab = 1; tab < 5; ++tab)
            QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(tab).center());
        QCOMPARE(form().tabs().ActiveTab(), 4);
        type("localhost:" + QString::number(server.port()) + "/b");
        QTRY_VERIFY(form().tabs().TabCaption(4).startsWith("Localhost"));

        QVERIFY(strip->isVisible() && strip->width() > 0);
        const QRect stripInWindow(strip->mapTo(&form(), QPoint()), strip->size());
        const QRect boxInWindow(form().Text1->mapTo(&form(), QPoint()), form().Text1->size());
        QVERIFY(stripInWindow.left() >= 0 && stripInWindow.right() < form().width());
        QVERIFY(!stripInWindow.intersects(boxInWindow));
        QVERIFY(strip->rect().contains(strip->tabRect(4)));

        const QImage drawn = strip->grab().toImage();
        const auto dark = [&](int x, int y) { return qGray(drawn.pixel(x, y)) < 128; };
        for (int tab = 0; tab < 5; ++tab) {
            const QString caption = form().tabs().TabCaption(tab);
            QVERIFY(!caption.isEmpty());
            // The caption's ink: dark pixels inside the tab's border and rounded corners.
            const QRect inside = strip->tabRect(tab).adjusted(3, 3, -3, -1).intersected(strip->rect());
            int firstColumn = -1;
            for (int x = inside.left(); x <= inside.right() && firstColumn < 0; ++x) {
                for (int y = inside.top(); y <= inside.bottom() && firstColumn < 0; ++y)
                    firstColumn = dark(x, y) ? x : -1;
            }
            const QString where = QString("tab %1 (%2) at %3..%4").arg(tab).arg(caption).arg(inside.left()).arg(inside.right());
            QVERIFY2(firstColumn >= 0, qPrintable(where + ": no caption drawn"));
            QVERIFY2(firstColumn > inside.left(), qPrintable(where + ": the first letter is cut at the tab's edge"));
            // A letter stands tall where an ellipsis alone would leave low dots.
            int top = inside.bottom(), bottom = inside.top();
            const int letterEnd = std::min(inside.right(), firstColumn + strip->fontMetrics().horizontalAdvance(caption.front()));
            for (int x = firstColumn; x <= letterEnd; ++x) {
                for (int y = inside.top(); y <= inside.bottom(); ++y) {
                    if (dark(x, y)) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                }
            }
            QVERIFY2((bottom - top + 1) * 2 >= strip->fontMetrics().capHeight(),
                     qPrintable(where + QString(": ink %1 pixels high").arg(bottom - top + 1)));
        }
    }

    // The desktop's save dialog of an export is titled after the command chosen.
    void saveDialogsAreTitledAfterTheirCommand_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("caption");
        QTest::newRow("web archive") << "SAVE:HTML" << 145;
        QTest::newRow("Word, landscape") << "SAVE:WORDH" << 146;
        QTest::newRow("Word, portrait") << "SAVE:WORDV" << 147;
        QTest::newRow("Excel") << "SAVE:EXCEL" << 148;
        QTest::newRow("PowerPoint") << "SAVE:PPT" << 149;
        QTest::newRow("PDF") << "SAVE:PDF" << 206;
    }
    void saveDialogsAreTitledAfterTheirCommand()
    {
        QFETCH(QString, key);
        QFETCH(int, caption);
        QtUserDialogs desktop;
        browser = std::make_unique<BrowserFixture>(server, 5, &desktop);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        QString title;
        const ModalDriver<QFileDialog> dialog([&](QFileDialog &shown) { title = shown.windowTitle(); });
        QStringList messages;
        const ModalDriver<QMessageBox> message([&](QMessageBox &shown) { messages << shown.text(); });
        chooseFromMenu(form().cmdBar0, form().bars().action("SAVE"), form().bars().action(key));
        QTRY_VERIFY_WITH_TIMEOUT(dialog.seen || message.seen, webWaitMs);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(title, QString("English %1").arg(caption));
    }

    // A caption with "&" is text: no Alt key jumps to its tab behind the tab set's back.
    void ampersandCaptionsAreText()
    {
        QVERIFY(browser->start(server));
        type(QString("127.0.0.1:%1?x=1&y=2").arg(server.port()));
        QVERIFY2(form().tabs().TabCaption(0).contains("&"), qPrintable(form().tabs().TabCaption(0)));
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        QCOMPARE(form().tabs().TabCaption(1), form().tabs().TabCaption(0));
        QTest::keyClick(&form(), Qt::Key_Y, Qt::AltModifier);
        QCOMPARE(form().tabs().ActiveTab(), 1);
    }

    // The progress bar is full only while a loaded page is shown.
    void progressShowsTheTrueState()
    {
        QVERIFY(browser->start(server));
        QCOMPARE(form().progressBar->value(), 100);
        form().tabs().showTab(2);
        QCOMPARE(form().progressBar->value(), 0);
        form().tabs().showTab(0);
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        type("http://127.0.0.1:9/");
        QTRY_VERIFY_WITH_TIMEOUT(!complete.isEmpty() && !active()->Busy(), webWaitMs);
        QCOMPARE(form().progressBar->value(), 0);
    }
};

TAMZO_TEST_MAIN(tst_WindowTexts)
#include "tst_windowtexts.moc"
