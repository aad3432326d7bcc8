#include "commands/commandbar.h"
#include "commands/commandbars.h"
#include "core/version.h"
#include "dialogs/frmabout.h"
#include "dialogs/frminput.h"
#include "dialogs/usermanual.h"
#include "platform/qtuserdialogs.h"
#include "languagefixture.h"
#include "modaldriver.h"
#include "testmain.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QWebEngineProfile>

// The yes/no box and the about box in the delivered languages of a freshly installed folder.
class tst_Dialogs : public QObject, private LanguageFixture
{
    Q_OBJECT
private:
    RecordingShell shell;

    static void click(QWidget *window, const QString &key) { window->findChild<QAction *>(key)->trigger(); }

private slots:
    void init()
    {
        install();
        shell = RecordingShell();
    }

    void inputBoxAnswers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << "OKYES" << 1;
        QTest::newRow("no") << "OKNO" << 0;
        QTest::newRow("window closed") << "close" << 7;
        QTest::newRow("escape") << "escape" << 7;
    }
    void inputBoxAnswers()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        useLanguage("English");
        state->inputAnswer = 7;
        frmInput box(*state, catalogue, {"Drop the changes?", "Drop them", "Keep them"});
        const ModalDriver<frmInput> driver([how](frmInput &shown) {
            if (how == "close")
                shown.close();
            else if (how == "escape")
                QTest::keyClick(&shown, Qt::Key_Escape);
            else
                click(&shown, how);
        });
        box.exec();
        QVERIFY(!box.isVisible());
        QCOMPARE(state->inputAnswer, qint16(answer));
    }

    void captionsOfTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QStringList>("about");
        QTest::newRow("English") << "English" << QStringList{"Yes", "No"}
                                 << QStringList{"OK", "Help", "Version ", "Read the TamzoTravel manual", "Web engine: ",
                                                "security fixes up to Chromium "};
        QTest::newRow("Italiano") << "Italiano" << QStringList{"Sì", "No"}
                                  << QStringList{"OK", "Guida", "Versione ", "Leggi il manuale di TamzoTravel",
                                                 "Motore web: ", "correzioni di sicurezza fino a Chromium "};
    }
    void captionsOfTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, input);
        QFETCH(QStringList, about);
        useLanguage(language);
        // The question is the asker's; a long one widens the box, both answers stay on its bar.
        const QString question(120, u'Q');
        frmInput box(*state, catalogue, {question, "Drop them", "Keep them"});
        QCOMPARE(box.cmdBar->action("OKYES")->text(), input[0]);
        QCOMPARE(box.labTitle->text(), question);
        QCOMPARE(box.cmdBar->action("OKNO")->text(), input[1]);
        QVERIFY(box.cmdBar->isAncestorOf(box.labTitle));
        QCOMPARE(box.cmdBar->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        box.show();
        QVERIFY(box.width() >= frmInput::widthTwips / 15);
        for (const char *key : {"OKYES", "OKNO"})
            QVERIFY(box.cmdBar->widgetForAction(box.cmdBar->action(key))->isVisible());

        frmAbout aboutBox(*state, catalogue, dialogs, shell);
        QCOMPARE(aboutBox.cmdBar->action("ABOUTOK")->text(), about[0]);
        QCOMPARE(aboutBox.cmdBar->action("ABOUTHELP")->text(), about[1]);
        QCOMPARE(aboutBox.lblVersion->text(), about[2] + programVersion());
        QVERIFY(aboutBox.lblDescription->text().contains(about[3]));
        QCOMPARE(aboutBox.lblTitle->text(), QString("TamzoTravel"));
        // The engine named as it names itself to every site it asks for a page.
        const QString agent = QWebEngineProfile::defaultProfile()->httpUserAgent();
        const QString engine = QRegularExpression("QtWebEngine/([0-9.]+)").match(agent).captured(1);
        const QString chromium = QRegularExpression("Chrome/([0-9.]+)").match(agent).captured(1);
        QVERIFY2(!engine.isEmpty() && !chromium.isEmpty(), qPrintable(agent));
        const QString engineLine = aboutBox.lblEngine->text();
        QVERIFY2(engineLine.startsWith(about[4] + "Qt WebEngine " + engine + ", Chromium " + chromium + " (" + about[5]),
                 qPrintable(engineLine + " / " + agent));
        QVERIFY(QRegularExpression("[0-9]+\\.[0-9.]+\\)$").match(engineLine).hasMatch());
        QCOMPARE(aboutBox.lbDescr->text(), state->caption(199));
        QCOMPARE(aboutBox.lbDescr2->text(), state->caption(200));
        QCOMPARE(aboutBox.lblDisclaimer->text(), state->caption(202));
        QVERIFY(!aboutBox.lbDescr->text().isEmpty() && !aboutBox.lblDisclaimer->text().isEmpty());
        // No invented address of a maker anywhere in the box.
        for (QLabel *label : aboutBox.findChildren<QLabel *>())
            QVERIFY2(!label->text().contains("http") && !label->text().contains('@'), qPrintable(label->text()));
    }

    // The help button and both links hand the manual of the current language to the desktop
    // (which manual each language gets is the manual's own test).
    void aboutBoxOpensTheManual_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closes");
        QTest::newRow("help button") << "ABOUTHELP" << true;
        QTest::newRow("visit link") << "lblDescription" << false;
        QTest::newRow("site link") << "lbSite" << false;
    }
    void aboutBoxOpensTheManual()
    {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        useLanguage("Italiano");
        frmAbout box(*state, catalogue, dialogs, shell);
        box.show();
        if (auto *label = box.findChild<QLabel *>(how))
            emit label->linkActivated("manual");
        else
            click(&box, how);
        QCOMPARE(shell.targets, QStringList{folder->path("Data/TamzoManualIta.html")});
        QCOMPARE(shell.verbs, QStringList{"Open"});
        QVERIFY(box.lbSite->text().contains("TamzoManualIta.html"));
        QCOMPARE(box.isVisible(), !closes);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aboutBoxWithoutManualSaysSo()
    {
        useLanguage("Italiano");
        QVERIFY(QFile::remove(folder->path("Data/TamzoManualIta.html")));
        QVERIFY(QFile::remove(folder->path("Data/TamzoManualEng.html")));
        frmAbout box(*state, catalogue, dialogs, shell);
        box.show();
        QVERIFY(!box.lbSite->isVisible());
        click(&box, "ABOUTHELP");
        QVERIFY(shell.targets.isEmpty());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.first().startsWith(state->caption(UserManual::missingCaption)));
        QVERIFY(dialogs.messages.first().contains("TamzoManualEng.html"));
        QVERIFY(!box.isVisible());
    }

    void aboutBoxIsCentredAndClosedByOk()
    {
        useLanguage("English");
        state->barStyle = 3;
        frmAbout box(*state, catalogue, dialogs, shell);
        QCOMPARE(box.cmdBar->styleSheet(), CommandBars::styleSheet(3));
        box.show();
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((box.frameGeometry().center() - centre).manhattanLength() <= 2);
        click(&box, "ABOUTOK");
        QVERIFY(!box.isVisible());
        QVERIFY(shell.targets.isEmpty());
    }

    // Enter on a question that gives something away answers no, on the others yes; among several
    // answers, it gives the last, which changes nothing.
    void enterAnswersTheDefault_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("answer"); // a question's no is 0, its yes 1
        QTest::newRow("giving away") << "question default no" << 0;
        QTest::newRow("plain") << "question" << 1;
        QTest::newRow("several answers") << "choice" << 2;
    }
    void enterAnswersTheDefault()
    {
        QFETCH(QString, kind);
        QFETCH(int, answer);
        QtUserDialogs desktop;
        bool closedByEnter = false;
        const ModalDriver<QMessageBox> driver([&](QMessageBox &box) {
            QVERIFY(QTest::qWaitForWindowActive(&box));
            QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Return);
            closedByEnter = !box.isVisible();
        });
        const int given = kind == "choice" ? desktop.choose("Clear?", {"The new sites", "Every site", "Cancel"})
                          : kind == "question" ? int(desktop.question("Go?"))
                                               : int(desktop.question("Secrets?", UserDialogs::Default::No));
        QVERIFY(closedByEnter);
        QCOMPARE(given, answer);
    }

    // A box shows its text as it is: a page's title that looks like markup gives no links or pictures.
    void boxesShowMarkupAsText_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"message", "question", "question default no", "text input"})
            QTest::newRow(kind) << QString(kind);
    }
    void boxesShowMarkupAsText()
    {
        QFETCH(QString, kind);
        const QString text = "<b>Trip</b> <a href=\"file:///etc/passwd\">notes</a><img src=\"file:///tmp/x.png\">";
        QtUserDialogs desktop;
        QStringList shown;
        const ModalDriver<QDialog> driver([&](QDialog &box) {
            for (QLabel *label : box.findChildren<QLabel *>())
                shown.append(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name));
        });
        if (kind == "message")
            desktop.message(text, UserDialogs::Icon::Information);
        else if (kind == "text input")
            desktop.textInput("TamzoTravel", text);
        else
            desktop.question(text, kind == "question" ? UserDialogs::Default::Yes : UserDialogs::Default::No);
        QVERIFY2(shown.contains(text), qPrintable(shown.join('|')));
    }

    void versionLine_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("line");
        QTest::newRow("build") << programVersion() << "Version " + programVersion();
        QTest::newRow("leading zeros") << "01.002.0030" << "Version 1.2.30";
        QTest::newRow("short") << "3" << "Version 3.0.0";
    }
    void versionLine()
    {
        QFETCH(QString, version);
        QFETCH(QString, line);
        QCOMPARE(frmAbout::versionLine("Version", version), line);
    }
    void buildVersionHasThreeNumbers()
    {
        QVERIFY(QRegularExpression("^(0|[1-9][0-9]*)(\\.(0|[1-9][0-9]*)){2}$").match(programVersion()).hasMatch());
    }
};

TAMZO_TEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
