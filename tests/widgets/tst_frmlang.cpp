#include "commands/commandbar.h"
#include "language/frmlang.h"
#include "dialogs/frminput.h"
#include "languagefixture.h"
#include "modaldriver.h"
#include "testmain.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QCloseEvent>
#include <QtTest/qtestspontaneevent.h>

// The language editor as a user works with it, in a freshly installed application folder.
class tst_frmLang : public QObject, private LanguageFixture
{
    Q_OBJECT
private:
    std::unique_ptr<frmLang> editor;

    void open()
    {
        editor = std::make_unique<frmLang>(*state, catalogue, dialogs);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    }
    void click(const QString &key) { editor->cmdBar->action(key)->trigger(); }
    // Types at the end of the text, as a user would.
    void type(const QString &text)
    {
        editor->Text1->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor->Text1, text);
    }
    // The window's own close button: the window system asks the window to close.
    void closeByTheWindowSystem()
    {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::instance()->notify(editor.get(), &close); // sendEvent would clear the mark
    }
    QStringList languageFiles() const
    {
        return QDir(folder->path("Languages")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // What the editor shows, as its file holds it: lines ended by CR LF.
    QByteArray shownAsFile() const
    {
        return (editor->Text1->toPlainText().replace('\n', "\r\n") + "\r\n").toUtf8();
    }

private slots:
    void init()
    {
        install();
        useLanguage("Italiano");
    }
    void cleanup() { editor.reset(); }

    void opensOnTheEnglishFile()
    {
        open();
        QCOMPARE(editor->windowTitle(), QString("Nuova lingua"));
        QCOMPARE(editor->cmdBar->action("EXIT3")->text(), QString("Chiudi"));
        QCOMPARE(editor->cmdBar->action("SAVE5")->text(), QString("Salva"));
        QCOMPARE(editor->cmdBar->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QCOMPARE(editor->size(), QGuiApplication::primaryScreen()->geometry().size() / 2);
        QCOMPARE(shownAsFile(), folder->readBytes("Languages/Lang_English.txt"));
        QVERIFY(!state->langModified);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void typeAndSaveAsDeutsch()
    {
        open();
        type("\"Hallo\"");
        QVERIFY(state->langModified);
        dialogs.textAnswers = {"Deutsch"};
        click("SAVE5");
        QCOMPARE(dialogs.inputTitles, QStringList{"Nome della nuova lingua"});
        QVERIFY(folder->exists("Languages/Lang_Deutsch.Txt"));
        QCOMPARE(folder->readBytes("Languages/Lang_Deutsch.Txt"), shownAsFile());
        QVERIFY(folder->readBytes("Languages/Lang_Deutsch.Txt").contains("\"Hallo\"\r\n"));
        QVERIFY(editor->isVisible());
        // What was saved and where.
        QCOMPARE(dialogs.messages, QStringList{"La nuova lingua è salvata e il menu Lingua la offre:\n" +
                                               QDir::toNativeSeparators(folder->path("Languages/Lang_Deutsch.Txt"))});
        QCOMPARE(editor->windowTitle(), QString("Lang_Deutsch.Txt - Nuova lingua"));
    }

    void cancellingTheNameSavesNothing()
    {
        open();
        type("x");
        const QStringList before = languageFiles();
        click("SAVE5");
        QCOMPARE(dialogs.inputTitles.size(), 1);
        QCOMPARE(languageFiles(), before);
        QVERIFY(editor->isVisible());
    }

    void blanksAroundTheNameAreTrimmed()
    {
        open();
        dialogs.textAnswers = {"  Deutsch \t"};
        click("SAVE5");
        QVERIFY(languageFiles().contains("Lang_Deutsch.Txt"));
    }

    // Each refused name says why, asks again and leaves no file behind.
    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("caption");
        QTest::newRow("blanks only") << "   " << frmLang::emptyNameCaption;
        for (const char *name : {"../Evil", "a/b", "a\\b", "..", "De.ch", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b",
                                 "a|b"})
            QTest::newRow(name) << QString::fromLatin1(name) << frmLang::forbiddenCharacterCaption;
        QTest::newRow("tab inside") << "Deu\ttsch" << frmLang::controlCharacterCaption;
        QTest::newRow("line feed") << "Deu\nEvil" << frmLang::controlCharacterCaption;
        QTest::newRow("escape") << "Deu\x1b" << frmLang::controlCharacterCaption;
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        QFETCH(int, caption);
        open();
        const QStringList before = languageFiles();
        const QStringList rootBefore = QDir(folder->root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        dialogs.textAnswers = {name};
        click("SAVE5");
        QCOMPARE(dialogs.inputTitles.size(), 2); // offered again, then cancelled
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.first().startsWith(state->caption(caption)));
        QVERIFY(!state->caption(caption).isEmpty());
        QCOMPARE(languageFiles(), before);
        QCOMPARE(QDir(folder->root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), rootBefore);
    }

    // A name that is already a language, whatever its case, is replaced in its own file only
    // once the user agreed.
    void existingLanguage_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("kept") << false;
        QTest::newRow("replaced") << true;
    }
    void existingLanguage()
    {
        QFETCH(bool, replace);
        folder->write("Languages/Lang_Deutsch.Txt", {"old"});
        open();
        type("new");
        dialogs.textAnswers = {"DEUTSCH"};
        dialogs.questionAnswers = {replace};
        click("SAVE5");
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY(dialogs.questions.first().contains(QDir::toNativeSeparators(folder->path("Languages/Lang_Deutsch.Txt"))));
        QCOMPARE(dialogs.inputTitles.size(), replace ? 1 : 2);
        QCOMPARE(folder->readBytes("Languages/Lang_Deutsch.Txt"), replace ? shownAsFile() : QByteArray("old\r\n"));
        QCOMPARE(languageFiles().filter("deutsch", Qt::CaseInsensitive), QStringList{"Lang_Deutsch.Txt"});
    }

    void failedSaveNamesTheFileAndKeepsTheText()
    {
        // A folder where the file should go: the write fails whoever runs the test.
        QVERIFY(QDir().mkpath(folder->path("Languages/Lang_Deutsch.Txt")));
        open();
        type("kept");
        const QString text = editor->Text1->toPlainText();
        const QStringList before = languageFiles();
        dialogs.textAnswers = {"Deutsch"};
        click("SAVE5");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.first().startsWith(state->caption(frmLang::saveFailedCaption)));
        QVERIFY(dialogs.messages.first().contains(folder->path("Languages/Lang_Deutsch.Txt")));
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->Text1->toPlainText(), text);
        QCOMPARE(languageFiles(), before);
    }

    // The English file the program was delivered with is built into it.
    void missingEnglishFileOpensTheDeliveredEnglish()
    {
        QVERIFY(QFile::remove(folder->path("Languages/Lang_English.txt")));
        open();
        TempAppFolder delivered;
        delivered.stageDelivered();
        QCOMPARE(shownAsFile(), delivered.readBytes("Lang_English.txt"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void englishFileFoundWhateverItsCase()
    {
        QVERIFY(QFile::rename(folder->path("Languages/Lang_English.txt"), folder->path("Languages/LANG_ENGLISH.TXT")));
        open();
        QCOMPARE(shownAsFile(), folder->readBytes("Languages/LANG_ENGLISH.TXT"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void exitWithoutTypingClosesAtOnce()
    {
        open();
        click("EXIT3");
        QVERIFY(!editor->isVisible());
    }

    // The program ending (a signal, the end of the session) closes the editor without a question.
    void shutdownClosesWithoutAsking()
    {
        open();
        type("Hallo");
        bool asked = false;
        const ModalDriver<frmInput> driver([&](frmInput &box) {
            asked = true;
            box.close();
        });
        editor->close();
        QVERIFY(!editor->isVisible());
        QVERIFY(!asked);
    }

    // After a key press, closing asks; only "OKYES" closes, and the text stays otherwise.
    void exitAfterTypingAsks_data()
    {
        QTest::addColumn<QString>("exit");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("exit, no") << "EXIT3" << "OKNO" << false;
        QTest::newRow("exit, yes") << "EXIT3" << "OKYES" << true;
        QTest::newRow("exit, question closed") << "EXIT3" << "close" << false;
        QTest::newRow("window closed, no") << "close" << "OKNO" << false;
        QTest::newRow("escape, yes") << "escape" << "OKYES" << true;
    }
    void exitAfterTypingAsks()
    {
        QFETCH(QString, exit);
        QFETCH(QString, answer);
        QFETCH(bool, closed);
        open();
        QTest::keyClick(editor->Text1, Qt::Key_Right); // even a key that changes nothing
        type("Hallo");
        const QString text = editor->Text1->toPlainText();
        state->inputAnswer = 1; // an earlier yes must not decide this question
        bool asked = false;
        const ModalDriver<frmInput> driver([&](frmInput &box) {
            asked = true;
            QCOMPARE(box.labTitle->text(),
                     QString("Le modifiche fatte non sono salvate. Chiudere l'editor e perderle?"));
            for (const char *key : {"OKYES", "OKNO"})
                QVERIFY(box.cmdBar->widgetForAction(box.cmdBar->action(key))->isVisible());
            if (answer == "close")
                box.close();
            else
                box.findChild<QAction *>(answer)->trigger();
        });
        if (exit == "close")
            closeByTheWindowSystem();
        else if (exit == "escape")
            QTest::keyClick(editor.get(), Qt::Key_Escape);
        else
            click(exit);
        QVERIFY(asked);
        QCOMPARE(editor->isVisible(), !closed);
        QCOMPARE(editor->Text1->toPlainText(), text);
    }
};

TAMZO_TEST_MAIN(tst_frmLang)
#include "tst_frmlang.moc"
