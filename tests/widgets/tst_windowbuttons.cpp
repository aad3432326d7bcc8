#include "app/frmstart.h"
#include "browsing/findbar.h"
#include "commands/commandbar.h"
#include "core/textfile.h"
#include "dialogs/frmabout.h"
#include "dialogs/frminput.h"
#include "language/frmlang.h"
#include "linktables/frmedit.h"
#include "linktables/frmtab.h"
#include "linktables/linkgridmodel.h"
#include "linktables/linkgridview.h"
#include "linktables/linkindex.h"
#include "linktables/linkrow.h"
#include "travel/frmjourney.h"
#include "languagefixture.h"
#include "modaldriver.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

// The buttons of the link-table window, its row editor, the language editor, the yes/no box, the
// about box, the main window's find bar and the journey window, as the user meets them: pointed
// at, each shows a tooltip from the language file that says more than its caption; those of the
// command bars each show a picture of their own, never a search's.
class tst_WindowButtons : public QObject, private LanguageFixture
{
    Q_OBJECT
private:
    RecordingShell shell;
    // Every text the language files give: those of the language chosen, and the English ones
    // built into the program that stand in for texts it lacks.
    QStringList texts;
    // Tooltip and picture of every button pointed at so far, window by window.
    QList<QList<std::pair<QString, QImage>>> shown;

    static QStringList captionsOf(const QString &path)
    {
        QStringList captions;
        const auto lines = TextFile::readLines(path);
        for (const QString &line : lines.value_or(QStringList())) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(u'"') && trimmed.size() > 2)
                captions << trimmed.mid(1, trimmed.size() - 2);
        }
        return captions;
    }
    static QImage picture(const QIcon &icon) { return icon.pixmap(QSize(16, 16)).toImage(); }

    // Points at the button, as a user does, and reads its tooltip: a text of the language files
    // that says more than the button's caption.
    void pointAt(QAbstractButton *button, const QString &name, const QString &tooltip, QString caption)
    {
        // Across the button to its middle, as a hand moves the pointer over its window.
        QWindow *window = button->window()->windowHandle();
        for (const int step : {-2, -1, 0})
            QTest::mouseMove(window, button->mapTo(button->window(), button->rect().center() + QPoint(step, 0)));
        QTRY_VERIFY2_WITH_TIMEOUT(!tooltip.isEmpty() && QToolTip::isVisible() && QToolTip::text() == tooltip,
                                  qPrintable(name + ": " + QToolTip::text()), 5000);
        QVERIFY2(texts.contains(tooltip), qPrintable(name + ": " + tooltip));
        QVERIFY2(tooltip != caption.remove(u'&'), qPrintable(name + ": " + tooltip));
    }

    // Points at every button of the bar; each shows a picture too.
    void pointAtButtons(CommandBar *bar)
    {
        shown.append(QList<std::pair<QString, QImage>>());
        for (QAction *action : bar->actions()) {
            auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
            if (action->isSeparator() || !button)
                continue;
            const QString key = action->objectName();
            pointAt(button, key, action->toolTip(), action->text());
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(!action->icon().isNull(), qPrintable(key));
            shown.last().append({action->toolTip(), picture(action->icon())});
        }
    }
    // Points at buttons that are no command bar's.
    void pointAtButtons(const QList<QAbstractButton *> &buttons)
    {
        for (QAbstractButton *button : buttons) {
            pointAt(button, button->accessibleName() + button->text(), button->toolTip(), button->text());
            if (QTest::currentTestFailed())
                return;
        }
    }

private slots:
    void init()
    {
        install();
        shown.clear();
    }

    void everyButtonExplainsItself_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("designCaptionsOnly");
        QTest::newRow("Italiano") << "Italiano" << false;
        QTest::newRow("English") << "English" << false;
        // A language file written for the design's 223 captions, before the program had more.
        QTest::newRow("223 captions") << "Italiano" << true;
    }
    void everyButtonExplainsItself()
    {
        QFETCH(QString, language);
        QFETCH(bool, designCaptionsOnly);
        if (designCaptionsOnly) {
            QStringList lines = folder->readLines("Languages/Lang_" + language + ".txt");
            lines = lines.mid(0, lines.indexOf("[Captions]") + 1 + 223);
            folder->write("Languages/Lang_Kurz.txt", lines);
            language = "Kurz";
        }
        useLanguage(language);
        texts = captionsOf(folder->path("Languages/Lang_" + language + ".txt")) +
                captionsOf(folder->path("Languages/Lang_English.txt"));
        QVERIFY(LinkIndex::Load_Index(*state).ok());
        state->pageTitle = "A page";

        {
            frmTab tables(*state, dialogs, catalogue, QString());
            tables.show();
            tables.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&tables));
            pointAtButtons(tables.cmdBar[0]);
            pointAtButtons(tables.cmdBar[1]);
            tables.cmdBar[0]->action("ADDURL")->trigger();
            QTest::mouseClick(tables.GridList->viewport(), Qt::LeftButton, {},
                              tables.GridList->visualRect(tables.model().index(0, LinkRow::Title)).center());
            ModalDriver<frmEDit> editor([this](frmEDit &window) {
                window.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&window));
                pointAtButtons(window.cmdBar9);
            });
            tables.cmdBar[0]->action("EDITURL")->trigger();
            QVERIFY(editor.seen);
        }
        {
            frmLang editor(*state, catalogue, dialogs);
            editor.show();
            editor.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&editor));
            pointAtButtons(editor.cmdBar);
            QTest::keyClicks(editor.Text1, "x");
            ModalDriver<frmInput> question([this](frmInput &box) {
                box.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&box));
                pointAtButtons(box.cmdBar);
                box.cmdBar->action("OKYES")->trigger();
            });
            editor.cmdBar->action("EXIT3")->trigger();
            QVERIFY(question.seen);
        }
        {
            frmAbout about(*state, catalogue, dialogs, shell);
            about.show();
            about.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&about));
            pointAtButtons(about.cmdBar);
        }
        {
            // The main window's find bar, and the journey window it opens.
            folder->write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", "about:blank", language});
            frmStart main(*state, dialogs, shell);
            QVERIFY(main.Form_Load(QStringLiteral("about:blank")));
            main.show();
            main.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main));
            main.findChild<QAction *>("EDIT:FINDDOC")->trigger();
            const FindBar::Controls &find = main.findBar().controls();
            QVERIFY(find.close->isVisible());
            pointAtButtons({find.previous, find.next, find.close});
            main.findChild<QAction *>("TRAVEL:JOURNEY")->trigger();
            auto *journey = main.findChild<frmJourney *>();
            QVERIFY(journey && QTest::qWaitForWindowActive(journey));
            QList<QAbstractButton *> buttons;
            for (QPushButton *button : journey->findChildren<QPushButton *>())
                buttons << button;
            QVERIFY(!buttons.isEmpty());
            pointAtButtons(buttons);
        }
        QCOMPARE(shown.size(), 6);

        // Within a window, buttons that do different things look different; no button anywhere
        // looks like a search.
        QList<QImage> searches{picture(QApplication::style()->standardIcon(QStyle::SP_FileDialogContentsView))};
        for (const char *name : {"edit-find", "system-search"}) {
            if (const QIcon themed = QIcon::fromTheme(name); !themed.isNull())
                searches << picture(themed);
        }
        const QList<std::pair<QString, QImage>> tableButtons = shown[0] + shown[1];
        for (const QList<std::pair<QString, QImage>> &window : {tableButtons, shown[2], shown[3], shown[4], shown[5]}) {
            for (qsizetype a = 0; a < window.size(); ++a) {
                QVERIFY2(!searches.contains(window[a].second), qPrintable(window[a].first));
                for (qsizetype b = a + 1; b < window.size(); ++b) {
                    if (window[a].first != window[b].first)
                        QVERIFY2(window[a].second != window[b].second,
                                 qPrintable(window[a].first + " / " + window[b].first));
                }
            }
        }
    }
};

TAMZO_TEST_MAIN(tst_WindowButtons)
#include "tst_windowbuttons.moc"
