#include "linktables/linkgridmodel.h"
#include "platform/twips.h"
#include "linktablewindow.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

using namespace LinkTableWindow;

// The row editor as the link-table window opens it on the chosen row.
class tst_frmEdit : public QObject
{
    Q_OBJECT
private slots:
    void editsARowIntoItsPlace()
    {
        Window w;
        w.tables({line("Beta", "", "http://b/"), line("Zeta", "z-secret", "http://z/")});
        QVERIFY(w.open());
        w.clickCell(2, LinkRow::Title);
        QString secretShown;
        EditorDriver driver(
            [&](frmEDit &editor) {
                QCOMPARE(editor.windowTitle(), QString("C76"));
                QCOMPARE(editor.Lab[1]->text(), QString("C65"));
                QCOMPARE(editor.Lab[6]->text(), QString("C73"));
                secretShown = editor.Txt[4]->text();
                editor.Txt[1]->setText("Alpha");
                press(editor, "SAVE3");
            });
        w.click("EDITURL");
        QVERIFY(driver.seen);
        QCOMPARE(secretShown, QString("z-secret"));
        QCOMPARE(w.column(LinkRow::Title), (QStringList{"Alpha", "Beta"}));
        QCOMPARE(w.column(LinkRow::Secret), (QStringList{LinkGridModel::mask, ""}));
        QCOMPARE(w.folder.readLines("Links/Links.000"),
                 (QStringList{"Alpha;-;http://z/;-;note Zeta;-;z-secret;-;typed Zeta;-;2026-01-02",
                              line("Beta", "", "http://b/")}));
        QCOMPARE(w.state.tableModified, 0);
        QCOMPARE(w.state.editRow, 0);
    }

    void deletesARowWithCancel()
    {
        Window w;
        w.tables({line("A", "sa", "http://a/"), line("B", "sb", "http://b/"), line("C", "sc", "http://c/")});
        QVERIFY(w.open());
        w.clickCell(2, LinkRow::Notes);
        // Asked first; "no" keeps the row and the editor open.
        w.dialogs.questionAnswers = {false, true};
        bool keptOnNo = false;
        EditorDriver driver(
            [&](frmEDit &editor) {
                press(editor, "CANCEL");
                keptOnNo = editor.isVisible() && w.tab->table().row(2)[LinkRow::Title] == "B";
                press(editor, "CANCEL");
            });
        w.click("EDITURL");
        QVERIFY(driver.seen);
        QVERIFY(keptOnNo);
        QCOMPARE(w.dialogs.questions, (QStringList{"C237\nB", "C237\nB"}));
        QCOMPARE(w.column(LinkRow::Title), (QStringList{"A", "C"}));
        QCOMPARE(w.secrets(), (QStringList{"sa", "sc"}));
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString("Mine,2"));
    }

    void editorRefusesWhatCannotBeStored_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("separator in the notes") << 3 << "a;-;b" << "C67:\nC233";
        QTest::newRow("line break in the secret") << 4 << "one\ntwo" << "C68:\nC233";
        QTest::newRow("separator's start at the end") << 5 << "typed;-" << "C69:\nC233";
        QTest::newRow("no title") << 1 << "" << "C234";
    }
    void editorRefusesWhatCannotBeStored()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Window w;
        w.tables({line("A", "sa", "http://a/")});
        QVERIFY(w.open());
        w.clickCell(1, LinkRow::Title);
        bool stayedOpen = false;
        EditorDriver driver(
            [&](frmEDit &editor) {
                editor.Txt[field]->setText(text);
                press(editor, "SAVE3");
                stayedOpen = editor.isVisible() && editor.Txt[field]->text() == text;
                editor.Txt[field]->setText(field == 1 ? "A2" : "fixed");
                press(editor, "SAVE3");
            });
        w.click("EDITURL");
        QVERIFY(driver.seen);
        QVERIFY(stayedOpen);
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QCOMPARE(w.tab->table().row(1)[field], field == 1 ? QString("A2") : QString("fixed"));
        QCOMPARE(w.folder.readLines("Links/Links.000").size(), 1);
    }

    void unsavedRowQuestion_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void unsavedRowQuestion()
    {
        QFETCH(bool, answer);
        Window w;
        w.tables({line("A", "", "http://a/")});
        QVERIFY(w.open());
        // The table's file cannot be replaced: the edited row is stored but not saved.
        QFile::remove(w.folder.path("Links/Links.000"));
        QDir().mkpath(w.folder.path("Links/Links.000"));
        w.clickCell(1, LinkRow::Title);
        EditorDriver driver(
            [](frmEDit &editor) {
                editor.Txt[3]->setText("edited");
                press(editor, "SAVE3");
            });
        w.click("EDITURL");
        QVERIFY(driver.seen);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.messages.first().startsWith("C235\n" + w.folder.path("Links/Links.000")));
        QCOMPARE(w.text(1, LinkRow::Notes), QString("edited"));
        QCOMPARE(w.state.tableModified, 1);

        w.dialogs.questionAnswers = {answer};
        w.click("EXIT6");
        QCOMPARE(w.dialogs.questions, QStringList{"C101"});
        QVERIFY(!w.tab->isVisible());
        QCOMPARE(w.dialogs.messages.size(), answer ? 2 : 1);
        QCOMPARE(w.state.tableModified, 0);
    }

    void editorGeometry()
    {
        Window w;
        w.tables({line("A", "", "http://a/")});
        QVERIFY(w.open());
        w.clickCell(1, LinkRow::Title);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QRect first;
        EditorDriver driver(
            [&](frmEDit &editor) {
                first = QRect(editor.pos(), editor.size());
                editor.move(70, 80);
                QTRY_COMPARE(editor.pos(), QPoint(70, 80));
                press(editor, "SAVE3");
            });
        w.click("EDITURL");
        QVERIFY(driver.seen);
        QCOMPARE(first.size(), QSize(Twips::toPixels(frmEDit::designedWidth), Twips::toPixels(frmEDit::designedHeight)));
        QVERIFY(qAbs(first.left() - (screen.width() - first.width()) / 2) <= 1);
        QVERIFY(qAbs(first.top() - (screen.height() - first.height()) / 2) <= 1);
        QCOMPARE(w.state.gridEditorLeft, 1050.0);
        QCOMPARE(w.state.gridEditorTop, 1200.0);

        QPoint second;
        EditorDriver again([&](frmEDit &editor) { second = editor.pos(); });
        w.clickCell(1, LinkRow::Title);
        w.click("EDITURL");
        QVERIFY(again.seen);
        QCOMPARE(second, QPoint(70, 80));
    }
};

TAMZO_TEST_MAIN(tst_frmEdit)
#include "tst_frmedit.moc"
