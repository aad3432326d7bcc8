#include "commands/commandbar.h"
#include "dialogs/frminput.h"
#include "linktables/linkgridmodel.h"
#include "language/frmlang.h"
#include "languagefixture.h"
#include "linktablewindow.h"
#include "platform/qtuserdialogs.h"
#include "testmain.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

using namespace LinkTableWindow;

// A question whose yes destroys something is answered no by Enter, the key a hurried user presses.
class tst_DestructiveQuestions : public QObject, private LanguageFixture
{
    Q_OBJECT
private:
    QtUserDialogs desktop;

    static void clickButton(QWidget &window, const QString &key)
    {
        auto *bar = window.findChild<CommandBar *>();
        QWidget *button = bar->widgetForAction(bar->action(key));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    // Opens the row editor on the second row and clicks its delete button; whether the row is kept.
    bool deleteALink(const std::function<void()> &answer)
    {
        Window w;
        w.tables({line("A", "", "http://a/"), line("B", "", "http://b/")});
        w.tab = std::make_unique<frmTab>(w.state, desktop, w.catalogue, QString());
        w.tab->open();
        w.clickCell(2, LinkRow::Title);
        const ModalDriver<QMessageBox> question([&](QMessageBox &) { answer(); });
        EditorDriver editor([&](frmEDit &shown) {
            clickButton(shown, "CANCEL");
            if (shown.isVisible())
                shown.reject();
        });
        w.click("EDITURL");
        return question.seen && w.column(LinkRow::Title) == QStringList({"A", "B"});
    }

    // Types into the language editor and saves under the name of a language that exists.
    bool replaceALanguageFile(const std::function<void()> &answer)
    {
        folder->write("Languages/Lang_Deutsch.Txt", {"old"});
        frmLang editor(*state, catalogue, desktop);
        editor.show();
        QTest::keyClicks(editor.Text1, "new");
        QPointer<QMessageBox> asked;
        const ModalDriver<QMessageBox> question([&](QMessageBox &box) {
            asked = &box;
            answer();
        });
        // The name is asked again after a no, and then given up; after a yes the editor says
        // where it saved (a box other than the question, which the keys answer).
        int names = 0;
        QTimer nameInput;
        connect(&nameInput, &QTimer::timeout, this, [&names, &question, &asked] {
            auto *said = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (said && said != asked && said->isVisible() && question.seen)
                return said->accept();
            auto *input = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (!input || !input->isVisible())
                return;
            if (++names > 1)
                return input->reject();
            QTest::keyClicks(input->findChild<QLineEdit *>(), "Deutsch");
            QTest::keyClick(input->findChild<QLineEdit *>(), Qt::Key_Return);
        });
        nameInput.start(10);
        clickButton(editor, "SAVE5");
        return question.seen && folder->readBytes("Languages/Lang_Deutsch.Txt") == "old\r\n";
    }

    // Types into the language editor and closes it.
    bool dropTheChanges(const std::function<void()> &answer)
    {
        frmLang editor(*state, catalogue, desktop);
        editor.show();
        editor.Text1->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor.Text1, "typed");
        const ModalDriver<frmInput> question([&](frmInput &) { answer(); });
        clickButton(editor, "EXIT3");
        return question.seen && editor.isVisible() && editor.Text1->toPlainText().endsWith("typed");
    }

private slots:
    void init()
    {
        install();
        useLanguage("English");
    }

    void enterKeepsWhatTheQuestionWouldDestroy_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("byEnter");
        for (const char *question : {"delete a link", "replace a language file", "drop the changes"}) {
            QTest::addRow("%s, Enter", question) << question << true;
            // The user may still say yes: Tab moves to it.
            QTest::addRow("%s, Tab and Enter", question) << question << false;
        }
    }
    void enterKeepsWhatTheQuestionWouldDestroy()
    {
        QFETCH(QString, question);
        QFETCH(bool, byEnter);
        bool answeredByKeys = false;
        const auto answer = [byEnter, &answeredByKeys] {
            QWidget *box = QApplication::activeModalWidget();
            // Keys reach only the active window.
            QVERIFY(QTest::qWaitForWindowActive(box));
            const auto keys = [box] { return box->focusWidget() ? box->focusWidget() : box; };
            if (!byEnter)
                QTest::keyClick(keys(), Qt::Key_Tab);

            QTest::keyClick(keys(), Qt::Key_Return);
            answeredByKeys = !box->isVisible();
        };
        bool kept = false;
        if (question == "delete a link")
            kept = deleteALink(answer);
        else if (question == "replace a language file")
            kept = replaceALanguageFile(answer);
        else
            kept = dropTheChanges(answer);
        QVERIFY(answeredByKeys);
        QCOMPARE(kept, byEnter);
    }
};

TAMZO_TEST_MAIN(tst_DestructiveQuestions)
#include "tst_destructivequestions.moc"
