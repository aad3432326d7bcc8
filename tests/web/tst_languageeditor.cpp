#include "browserfixture.h"
#include "commands/commandbar.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "language/frmlang.h"
#include "commands/imagelist.h"
#include "core/version.h"
#include "dialogs/frmabout.h"
#include "dialogs/frminput.h"
#include "modaldriver.h"
#include "testmain.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

// The dialogs, the language editor and the manual reached from the menus of a freshly installed
// main window, as a user reaches them.
class tst_LanguageEditor : public BrowserTest
{
    Q_OBJECT
private:
    void click(const QString &key) { form().bars().action(key)->trigger(); }
    static void press(QWidget *window, const QString &key) { window->findChild<QAction *>(key)->trigger(); }

    // Opens the language editor from the LANG menu, types at the end (or over the whole text),
    // saves under the name and leaves. The text the editor held.
    QString writeLanguage(const QString &name, const QString &typed, bool replacing = false)
    {
        QString text;
        browser->dialogs.textAnswers = {name};
        const ModalDriver<frmLang> driver([&](frmLang &editor) {
            editor.Text1->moveCursor(QTextCursor::End);
            if (replacing)
                QTest::keyClick(editor.Text1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor.Text1, typed);
            text = editor.Text1->toPlainText();
            press(&editor, "SAVE5");
            press(&editor, "EXIT3");
        });
        click("LANG:NEW");
        return text;
    }

    // A new run of the program in the same application folder.
    bool restart()
    {
        browser->form.reset();
        browser->state = std::make_unique<ProgramState>(AppFolder(browser->folder.root()));
        browser->form = std::make_unique<frmStart>(*browser->state, browser->dialogs, browser->shell);
        return browser->form->Form_Load();
    }

    static QImage picture(const QIcon &icon) { return icon.pixmap(32, 32).toImage(); }

private slots:
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        browser->folder.stageDelivered(); // the first start installs the delivered languages and manuals
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    void helpOpensTheManualOfTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("manual");
        QTest::newRow("English") << "" << "Data/TamzoManualEng.html";
        QTest::newRow("Italiano") << "LANG:ITALIANO" << "Data/TamzoManualIta.html";
        QTest::newRow("language without a manual") << "LANG:DEUTSCH" << "Data/TamzoManualEng.html";
    }
    void helpOpensTheManualOfTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, manual);
        browser->folder.write("Languages/Lang_Deutsch.txt", {"LANG=Deutsch", "\"Ende\""});
        QVERIFY(restart());
        if (!language.isEmpty())
            click(language);
        click("FILE:HELP");
        QTRY_COMPARE_WITH_TIMEOUT(form().tabs().activeView()->LocationURL(),
                                  QUrl::fromLocalFile(browser->folder.path(manual)).toString(), webWaitMs);
        QCOMPARE(form().tabs().ActiveTab(), 1);
        QVERIFY(browser->shell.targets.isEmpty());
        QVERIFY(browser->folder.readBytes(manual).contains("F12"));
    }

    void aboutCommandsOpenTheBox_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("toolbar") << "BRUSALDO";
        QTest::newRow("file menu") << "FILE:BRUSALDO";
    }
    void aboutCommandsOpenTheBox()
    {
        QFETCH(QString, key);
        click("LANG:ITALIANO");
        QString version;
        const ModalDriver<frmAbout> driver([&](frmAbout &box) {
            version = box.lblVersion->text();
            press(&box, "ABOUTHELP");
        });
        click(key);
        QCOMPARE(version, "Versione " + programVersion());
        QTRY_COMPARE_WITH_TIMEOUT(form().tabs().activeView()->LocationURL(),
                                  QUrl::fromLocalFile(browser->folder.path("Data/TamzoManualIta.html")).toString(), webWaitMs);
        QVERIFY(browser->shell.targets.isEmpty());
    }

    // A language saved under any name the editor takes is offered at once, under that name, and
    // its entry loads it, in this run and the next; names whose upper case does not turn back into
    // them ("WEISS", "KIRGIZCA") included. After the save, leaving the editor asks nothing.
    void savedLanguageIsOfferedUnderItsName_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Deutsch", "Klingon tëst", "Weiß", "Kırgızca", "ǅemal"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void savedLanguageIsOfferedUnderItsName()
    {
        QFETCH(QString, name);
        const QString greeting = "\"Hallo\"";
        browser->dialogs.textAnswers = {name};
        bool asked = false;
        const ModalDriver<frmLang> driver([&](frmLang &editor) {
            QTest::keyClick(editor.Text1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor.Text1, greeting);
            press(&editor, "SAVE5");
            const ModalDriver<frmInput> question([&](frmInput &) { asked = true; });
            press(&editor, "EXIT3");
            QVERIFY(!editor.isVisible());
        });
        click("LANG:NEW");
        QVERIFY(!asked);
        QVERIFY(!browser->dialogs.inputPrompts.value(0).isEmpty());
        QCOMPARE(browser->folder.readLines("Languages/Lang_" + name + ".Txt"), QStringList{greeting});

        for (int run = 0; run < 2; ++run) {
            QAction *entry = form().bars().action(CommandCatalogue::languageKey(name));
            QVERIFY(entry);
            QCOMPARE(entry->text(), name);
            QVERIFY(form().bars().menu("LANG")->actions().contains(entry));
            QCOMPARE(form().bars().menu("LANG")->actions().last(), form().bars().action("LANG:NEW"));
            entry->trigger();
            QCOMPARE(state().caption(1), QString("Hallo"));
            QCOMPARE(form().bars().action("EDIT:TXT")->text(), "Lang_" + name + ".Txt");
            QVERIFY(restart());
        }
        QCOMPARE(state().languageName, name);
        QCOMPARE(state().caption(1), QString("Hallo"));
    }

    // A language saved as New is offered under its own entry; the editor's entry still opens
    // the editor.
    void languageCalledNew()
    {
        QCOMPARE(writeLanguage("New", "\"Neu\"", true), QString("\"Neu\""));
        QVERIFY(browser->folder.exists("Languages/Lang_New.Txt"));
        QVERIFY(restart());
        QAction *language = form().bars().action("LANG:NEW:LANGUAGE");
        QVERIFY(language);
        QCOMPARE(language->text(), QString("New"));
        QCOMPARE(form().bars().menu("LANG")->actions().last(), form().bars().action("LANG:NEW"));

        bool editorOpened = false;
        const ModalDriver<frmLang> driver([&](frmLang &editor) {
            editorOpened = true;
            press(&editor, "EXIT3");
        });
        click("LANG:NEW");
        QVERIFY(editorOpened);
        QCOMPARE(state().languageName, QString("English"));

        language->trigger();
        QCOMPARE(state().languageName, QString("New"));
        QCOMPARE(form().bars().action("EDIT:TXT")->text(), QString("Lang_New.Txt"));
        QCOMPARE(state().caption(1), QString("Neu"));
    }
};

TAMZO_TEST_MAIN(tst_LanguageEditor)
#include "tst_languageeditor.moc"
