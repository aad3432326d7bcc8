#include "browsing/documentwindow.h"
#include "commands/commandbar.h"
#include "linktables/bookmarkcommands.h"
#include "linktables/bookmarkshtml.h"
#include "linktables/bookmarktransfer.h"
#include "linktables/linkgridmodel.h"
#include "linktables/linkgridview.h"
#include "linktables/linktabstrip.h"
#include "linktables/tablayout.h"
#include "platform/twips.h"
#include "linktablewindow.h"
#include "testmain.h"

#include <QAction>
#include <QFile>
#include <QWebEngineView>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <ctime>

using namespace LinkTableWindow;

// The link-table window, driven through its bars, its grid and its title box as a user drives it.
class tst_frmTab : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTableZero()
    {
        Window w;
        w.tables({line("Alpha", "", "http://a/")});
        w.folder.write("Data/TamzoTravel.Ini", QStringList{" 0", " 0", " 9000", " 12000"} + QStringList(4, " 0") +
                                                   QStringList{" 150", " 300", " 0", " 0", " 0"});
        w.state.currentTable = 40;
        QVERIFY(w.open());
        frmTab &tab = *w.tab;

        QCOMPARE(w.state.currentTable, 0);
        QCOMPARE(w.state.currentTableFile, w.folder.path("Links/Links.000"));
        QCOMPARE(tab.TabF[0]->shownTab(), 0);
        for (int g = 1; g < frmTab::tableGroupCount; ++g)
            QCOMPARE(tab.TabF[g]->shownTab(), -1);
        QCOMPARE(tab.TabF[0]->count(), 15);
        QCOMPARE(tab.TabF[0]->tabText(0), QString("Mine"));
        QCOMPARE(tab.TabF[0]->tabText(1), QString("Second"));
        QCOMPARE(tab.TabF[6]->tabText(14), QString("Table 105"));
        QVERIFY(tab.TabF[6]->y() < tab.TabF[0]->y());
        QVERIFY(tab.TabF[0]->geometry().bottom() <= tab.GridList->y());
        QCOMPARE(tab.Label1->text(), QString("C33"));
        QVERIFY(!tab.Text1->isVisible());
        QVERIFY(tab.windowFlags() & Qt::FramelessWindowHint);

        // The grid: headers from the captions, the address out of sight, filler rows below the link.
        const QStringList headers{"C64", "C65", "", "C67", "C68", "C69", "C73"};
        for (int c = 0; c < LinkGridModel::columns; ++c)
            QCOMPARE(tab.model().headerData(c, Qt::Horizontal).toString(), headers[c]);
        QCOMPARE(tab.GridList->columnWidth(LinkRow::Address), 0);
        QVERIFY(w.state.minGridRows > 2);
        QCOMPARE(tab.model().rowCount(), w.state.minGridRows - 1);
        QCOMPARE(w.column(0), QStringList{"1"});
        QCOMPARE(w.text(2, LinkRow::Title), QString());

        // Both bars with their keys and tooltips.
        QStringList keys;
        for (QAction *action : tab.cmdBar[0]->actions())
            keys << action->objectName();
        QCOMPARE(keys, (QStringList{"EXIT5", "SEP1", "ADDURL", "SEP5", "EDITURL", "GOURL", "SEP4", "SORT", "SAVE2",
                                    "HELP2", "SEP7", "TITLE", "SEP6", "IMPORT", "EXPORT"}));
        QCOMPARE(tab.cmdBar[1]->action("EXIT6")->toolTip(), QString("C32"));
        QCOMPARE(tab.cmdBar[0]->action("ADDURL")->toolTip(), QString("C75"));
        QCOMPARE(tab.cmdBar[0]->action("TITLE")->toolTip(), QString("C77"));
        QVERIFY(!tab.cmdBar[0]->action("SORT")->icon().isNull());
        // Every button is on its bar, none in an overflow menu.
        for (CommandBar *bar : tab.cmdBar) {
            for (QAction *action : bar->actions()) {
                if (!action->isSeparator())
                    QVERIFY2(bar->widgetForAction(action)->isVisible(), qPrintable(action->objectName()));
            }
        }

        // Centred at its designed size, and the window settings read again afterwards.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QSize designed(Twips::toPixels(TabLayout::designedWidth), Twips::toPixels(TabLayout::designedHeight));
        QCOMPARE(tab.size(), designed);
        QVERIFY(qAbs(tab.x() - (screen.width() - designed.width()) / 2) <= 1);
        QCOMPARE(w.state.gridEditorTop, 150.0);
        QCOMPARE(w.state.gridEditorLeft, 300.0);
    }

    void addsThePageShown()
    {
        Window w;
        w.tables({});
        w.state.pageTitle = "Local page";
        w.state.currentAddress = "http://127.0.0.1/page";
        QVERIFY(w.open("127.0.0.1/" + QString(140, 'p')));
        w.click("ADDURL");
        QCOMPARE(w.column(LinkRow::Title), QStringList{"Local page"});
        QCOMPARE(w.text(1, 0), QString("1"));
        QCOMPARE(w.text(1, LinkRow::Typed), "127.0.0.1/" + QString(90, 'p') + "..");
        QCOMPARE(w.text(1, LinkRow::Date), QString("2026-12-08"));
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString("Mine, 1"));

        // The same page again adds nothing.
        w.click("ADDURL");
        QCOMPARE(w.tab->table().rowCount(), 1);
        QCOMPARE(w.folder.readLines("Links/Links.000").size(), 1);
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // The program can end while the window is open (the desktop session ends during it): the
    // window goes with its grid shown, and the grid reads nothing of a table already gone.
    void goesWhileShown()
    {
        Window w;
        w.tables({line("Beta", "", "http://b/"), line("Zeta", "z-secret", "http://z/")});
        w.state.pageTitle = "Local page";
        w.state.currentAddress = "http://127.0.0.1/page";
        QVERIFY(w.open());
        w.click("ADDURL");
        QCOMPARE(w.column(LinkRow::Title), (QStringList{"Beta", "Local page", "Zeta"}));
        w.tab.reset();
        QCOMPARE(w.folder.readLines("Links/Links.000").size(), 3);
    }

    void revealsOneSecretAtATime()
    {
        Window w;
        w.tables({line("A", "first secret", "http://a/"), line("B", "", "http://b/"),
                  line("C", "x", "http://c/")});
        QVERIFY(w.open());
        const QString mask = LinkGridModel::mask;
        QCOMPARE(w.column(LinkRow::Secret), (QStringList{mask, "", mask}));
        w.clickCell(1, LinkRow::Secret);
        QCOMPARE(w.column(LinkRow::Secret), (QStringList{"first secret", "", mask}));
        w.clickCell(1, LinkRow::Secret);
        QCOMPARE(w.column(LinkRow::Secret), (QStringList{mask, "", mask}));
        w.clickCell(1, LinkRow::Secret);
        w.clickCell(3, LinkRow::Secret);
        QCOMPARE(w.column(LinkRow::Secret), (QStringList{mask, "", "x"}));
        // A row without a secret and a filler row change nothing.
        w.clickCell(2, LinkRow::Secret);
        w.clickCell(5, LinkRow::Secret);
        QCOMPARE(w.column(LinkRow::Secret), (QStringList{mask, "", "x"}));
        QCOMPARE(w.state.clickedRow, 5);
    }

    void doubleClicks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("edited");
        QTest::newRow("title") << 2 << int(LinkRow::Title) << "http://b/" << false;
        QTest::newRow("typed address") << 1 << int(LinkRow::Typed) << "http://a/" << false;
        QTest::newRow("notes") << 1 << int(LinkRow::Notes) << "" << false;
        QTest::newRow("filler row") << 4 << int(LinkRow::Title) << "" << false;
        QTest::newRow("whole row by its number") << 2 << 0 << "" << true;
    }
    void doubleClicks()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, chosen);
        QFETCH(bool, edited);
        Window w;
        w.tables({line("A", "", "http://a/"), line("B", "", "http://b/")});
        QVERIFY(w.open());
        // The editor's delete button asks first; the user says yes.
        w.dialogs.questionAnswers = {true};
        EditorDriver driver([](frmEDit &editor) { press(editor, "CANCEL"); });
        w.doubleClickCell(row, column);
        QTRY_COMPARE_WITH_TIMEOUT(driver.seen, edited, edited ? 5000 : 100);
        QCOMPARE(w.state.chosenAddress, chosen);
        QCOMPARE(w.tab->isVisible(), chosen.isEmpty());
        QCOMPARE(w.tab->table().rowCount(), edited ? 1 : 2);
    }

    void fillerRowsAndGoUrl()
    {
        Window w;
        w.tables({line("A", "", "http://a/"), line("B", "", "http://b/")});
        QVERIFY(w.open());
        // A filler row is neither opened nor edited.
        w.clickCell(4, LinkRow::Notes);
        w.click("GOURL");
        QVERIFY(w.tab->isVisible());
        EditorDriver editor([](frmEDit &) {});
        w.click("EDITURL");
        QTest::qWait(50);
        QVERIFY(!editor.seen);
        QCOMPARE(w.tab->table().rowCount(), 2);
        w.clickCell(2, LinkRow::Notes);
        w.click("GOURL");
        QCOMPARE(w.state.chosenAddress, QString("http://b/"));
        QVERIFY(!w.tab->isVisible());
    }

    void sortsWithoutSaving_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("keyRight");
        QTest::addColumn<QStringList>("titles");
        const QStringList byTitle{"", "Alpha", "beta", "Zeta"};
        QTest::newRow("by title") << int(LinkRow::Title) << 0 << byTitle;
        QTest::newRow("notes sort by title") << int(LinkRow::Notes) << 0 << byTitle;
        QTest::newRow("by typed address: by title") << int(LinkRow::Typed) << 0 << byTitle;
        QTest::newRow("address, reached by keyboard") << int(LinkRow::Title) << 1
                                                      << QStringList{"", "Zeta", "beta", "Alpha"};
    }
    void sortsWithoutSaving()
    {
        QFETCH(int, column);
        QFETCH(int, keyRight);
        QFETCH(QStringList, titles);
        Window w;
        const QStringList lines{line("Alpha", "sa", "http://c/"), line("Zeta", "sz", "http://a/"),
                                line("beta", "sb", "http://B/")};
        // A fourth row the file does not hold: blank, and numbered once sorted.
        w.tables(lines, "4");
        QVERIFY(w.open());
        QCOMPARE(w.column(LinkRow::Title), (QStringList{"Alpha", "Zeta", "beta", ""}));
        QCOMPARE(w.column(0), (QStringList{"1", "2", "3", ""}));
        w.clickCell(1, column);
        for (int i = 0; i < keyRight; ++i)
            QTest::keyClick(w.tab->GridList, Qt::Key_Right);
        w.click("SORT");
        QCOMPARE(w.column(LinkRow::Title), titles);
        QStringList secrets;
        for (const QString &title : titles)
            secrets << (title.isEmpty() ? QString() : QString("s" + title.left(1).toLower()));
        QCOMPARE(w.secrets(), secrets);
        QCOMPARE(w.column(0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(w.folder.readLines("Links/Links.000"), lines);
    }

    void titleBox()
    {
        Window w;
        w.tables({});
        QVERIFY(w.open());
        w.click("TITLE");
        QVERIFY(w.tab->Text1->isVisible());
        QCOMPARE(w.tab->Text1->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(w.state.titleEditing, 1);

        // A comma is refused and the text stays for correcting.
        QTest::keyClicks(w.tab->Text1, "News, world");
        QTest::keyClick(w.tab->Text1, Qt::Key_Return);
        QCOMPARE(w.dialogs.messages, QStringList{"C232"});
        QVERIFY(w.tab->Text1->isVisible());
        QCOMPARE(w.tab->Text1->text(), QString("News, world"));

        w.tab->Text1->clear();
        QTest::keyClicks(w.tab->Text1, "News");
        QTest::keyClick(w.tab->Text1, Qt::Key_Return);
        QVERIFY(!w.tab->Text1->isVisible());
        QCOMPARE(w.state.titleEditing, 0);
        QCOMPARE(w.tab->TabF[0]->tabText(0), QString("News"));
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString("News,0"));

        // Pressed again, "TITLE" closes the box without taking its text.
        w.click("TITLE");
        QTest::keyClicks(w.tab->Text1, "Ignored");
        w.click("TITLE");
        QVERIFY(!w.tab->Text1->isVisible());
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString("News,0"));

        // Enter in an empty box gives the table an empty title; a new language names it again.
        w.click("TITLE");
        QTest::keyClick(w.tab->Text1, Qt::Key_Return);
        QCOMPARE(w.tab->TabF[0]->tabText(0), QString());
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString(",0"));
        LinkIndex::nameEmptyTables(w.state);
        QCOMPARE(w.state.linkIndex[1].title, QString("Table 1"));

        // Closed with the box open, the window opens next with it closed: one press opens it.
        w.click("TITLE");
        w.click("EXIT5");
        QVERIFY(w.open());
        QVERIFY(!w.tab->Text1->isVisible());
        w.click("TITLE");
        QVERIFY(w.tab->Text1->isVisible());
    }

    void tabsSelectTables()
    {
        Window w;
        w.tables({line("A", "", "http://a/")});
        w.folder.write("Links/Links.Bok", {"Mine,1", "Second,0"});
        QVERIFY(LinkIndex::Load_Index(w.state).ok());
        w.state.linkIndex[34].count = "1";
        w.folder.write("Links/Links.033", {line("Far", "", "http://far/")});
        QVERIFY(w.open());
        QTest::mouseClick(w.tab->TabF[2], Qt::LeftButton, {}, w.tab->TabF[2]->tabRect(3).center());
        QCOMPARE(w.state.currentTable, 33);
        QCOMPARE(w.tab->currentGroup(), 2);
        QCOMPARE(w.tab->TabF[2]->shownTab(), 3);
        QCOMPARE(w.tab->TabF[0]->shownTab(), -1);
        QCOMPARE(w.column(LinkRow::Title), QStringList{"Far"});
        // Back to the first table, by a tab its strip still holds as current.
        QTest::mouseClick(w.tab->TabF[0], Qt::LeftButton, {}, w.tab->TabF[0]->tabRect(0).center());
        QCOMPARE(w.state.currentTable, 0);
        QCOMPARE(w.column(LinkRow::Title), QStringList{"A"});
    }

    void geometryIsKept()
    {
        Window w;
        w.tables({});
        QVERIFY(w.open());
        const QRect placed(40, 30, 1000, 500);
        w.tab->setGeometry(placed);
        QTRY_COMPARE(w.tab->geometry(), placed);
        const QRect grid = w.tab->GridList->geometry();
        w.click("EXIT5");
        QVERIFY(!w.tab->isVisible());
        QCOMPARE(w.state.linkTableLeft, 600.0);
        QCOMPARE(w.state.linkTableTop, 450.0);
        QCOMPARE(w.state.linkTableWidth, 15000.0);
        QCOMPARE(w.state.linkTableHeight, 7500.0);
        QCOMPARE(w.folder.readLines("Links/Links.Bok").size(), 150);

        QVERIFY(w.open());
        QCOMPARE(w.tab->geometry(), placed);
        QCOMPARE(w.tab->GridList->geometry(), grid);
        // Narrower than 13400 twips the layout stays as it was.
        w.tab->resize(800, 400);
        QTRY_COMPARE(w.tab->width(), 800);
        QCOMPARE(w.tab->GridList->geometry(), grid);
        w.tab->resize(1100, 600);
        QTRY_COMPARE(w.tab->GridList->width(), grid.width() + 100);
    }

    // The frameless window's edges, dragged with the pointer, resize it; the layout follows and the
    // size is kept.
    void resizedByItsEdges_data()
    {
        QTest::addColumn<QPointF>("edge");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QMargins>("grown");
        QTest::newRow("right") << QPointF(1, 0.5) << QPoint(120, 30) << QMargins(0, 0, 120, 0);
        QTest::newRow("bottom") << QPointF(0.5, 1) << QPoint(-40, 80) << QMargins(0, 0, 0, 80);
        QTest::newRow("top left") << QPointF(0, 0) << QPoint(-60, -50) << QMargins(60, 50, 0, 0);
        QTest::newRow("left, narrower") << QPointF(0, 0.5) << QPoint(90, 0) << QMargins(-90, 0, 0, 0);
    }
    void resizedByItsEdges()
    {
        QFETCH(QPointF, edge);
        QFETCH(QPoint, drag);
        QFETCH(QMargins, grown);
        Window w;
        w.tables({});
        w.state.linkTableTop = w.state.linkTableLeft = 1500;
        w.state.linkTableWidth = 16000;
        w.state.linkTableHeight = 7000;
        QVERIFY(w.open());
        const QRect start = w.tab->geometry();
        const int gridWidth = w.tab->GridList->width();
        // Pressed a few pixels inside the edge, moved a few pixels at a time as a hand moves it.
        QWindow *window = w.tab->windowHandle();
        const QPoint from(4 + qRound(edge.x() * (start.width() - 9)), 4 + qRound(edge.y() * (start.height() - 9)));
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        const QPoint pressedAt = window->mapToGlobal(from);
        for (int i = 1, steps = drag.manhattanLength() / 3 + 1; i <= steps; ++i)
            QTest::mouseMove(window, window->mapFromGlobal(pressedAt + drag * i / steps));
        QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(pressedAt + drag));
        QCOMPARE(w.tab->geometry(), start + grown);
        QCOMPARE(w.tab->GridList->width(), gridWidth + grown.left() + grown.right());
        w.click("EXIT5");
        QCOMPARE(w.state.linkTableWidth, Twips::fromPixels(start.width() + grown.left() + grown.right()));
        QCOMPARE(w.state.linkTableTop, Twips::fromPixels(start.top() - grown.top()));
    }

    // At the designed size every tab shows its whole title, "&" included, and a title too long for
    // its tab shows whole as its tooltip; the date column holds a whole date.
    void tabTitlesReadWhole()
    {
        Window w;
        w.tables({line("A", "", "http://a/")});
        w.state.linkIndex[2].title = "R&D";
        w.state.linkIndex[3].title = QString(40, u'W');
        QVERIFY(w.open());
        for (int g = 0; g < frmTab::tableGroupCount; ++g) {
            const LinkTabStrip *strip = w.tab->TabF[g];
            QVERIFY(w.tab->rect().contains(strip->geometry()));
            for (int t = 0; t < frmTab::tablesPerGroup; ++t) {
                const QString title = strip->title(t);
                const bool fits = strip->fontMetrics().horizontalAdvance(title) <=
                                  strip->tabRect(t).width() - 2 * LinkTabStrip::textMargin;
                QVERIFY2(fits == (title.size() < 40), qPrintable(title));
                QCOMPARE(strip->shownTitle(t) == title, fits);
                QCOMPARE(strip->tabToolTip(t), title);
            }
        }
        QCOMPARE(w.tab->TabF[0]->title(1), QString("R&D"));
        QTest::keyClick(w.tab.get(), Qt::Key_D, Qt::AltModifier);
        QCOMPARE(w.tab->TabF[0]->currentIndex(), 0);
        QCOMPARE(w.state.currentTable, 0);
        QVERIFY(w.tab->GridList->visualRect(w.cell(1, LinkRow::Date)).width() >
                w.tab->GridList->fontMetrics().horizontalAdvance("2026-01-02"));
    }

    // A row held but not saved (the table's file cannot be written) is asked about on closing; the
    // index keeps the count of the rows the file holds.
    void failedAddKeepsIndexAndFileAgreeing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("no") << false;
        QTest::newRow("yes, fails again") << true;
    }
    void failedAddKeepsIndexAndFileAgreeing()
    {
        QFETCH(bool, answer);
        Window w;
        w.tables({});
        QDir().mkpath(w.folder.path("Links/Links.000"));
        w.state.pageTitle = "Local page";
        QVERIFY(w.open());
        w.click("ADDURL");
        QCOMPARE(w.column(LinkRow::Title), QStringList{"Local page"});
        w.dialogs.questionAnswers = {answer};
        w.click("EXIT5");
        QCOMPARE(w.dialogs.questions, QStringList{"C101"});
        QCOMPARE(w.dialogs.messages.size(), answer ? 2 : 1);
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString("Mine,0"));
    }

    // Rows are not counted in 16 bits: row 32768 of a table past the largest count is revealed,
    // edited and saved with every other row.
    void rowsPast32767()
    {
        Window w;
        QStringList lines;
        for (int r = 1; r <= 32770; ++r)
            lines << line(QString("Row %1").arg(r, 5, 10, QChar(u'0')), r == 32768 ? "s" : "", "http://r/");
        w.tables(lines);
        QVERIFY(w.open());
        w.tab->GridList->scrollTo(w.cell(32768, LinkRow::Secret));
        w.clickCell(32768, LinkRow::Secret);
        QCOMPARE(w.text(32768, LinkRow::Secret), QString("s"));
        EditorDriver driver(
            [](frmEDit &editor) {
                QCOMPARE(editor.Txt[1]->text(), QString("Row 32768"));
                editor.Txt[3]->setText("edited");
                press(editor, "SAVE3");
            });
        w.click("EDITURL");
        QVERIFY(driver.seen);
        lines[32767] = "Row 32768;-;http://r/;-;edited;-;s;-;typed Row 32768;-;2026-01-02";
        QCOMPARE(w.folder.readLines("Links/Links.000"), lines);
        QCOMPARE(w.folder.readLines("Links/Links.Bok").first(), QString("Mine,32770"));
    }

    void placeWithoutSizeOpensAtTheDesignedSize()
    {
        Window w;
        w.tables({});
        w.state.linkTableTop = 300;
        w.state.linkTableLeft = 450;
        QVERIFY(w.open());
        QCOMPARE(w.tab->geometry(), QRect(30, 20, Twips::toPixels(TabLayout::designedWidth),
                                          Twips::toPixels(TabLayout::designedHeight)));
    }

    void helpDocument_data()
    {
        QTest::addColumn<QString>("langCode");
        QTest::addColumn<bool>("opened");
        QTest::newRow("English") << "Eng" << true;
        QTest::newRow("Italian") << "Ita" << true;
        QTest::newRow("missing document") << "Fra" << false;
    }
    // The help opens in a window of its own that belongs to the modal link-table window: the
    // desktop keeps it above that window, whose modality lets it take the user's input.
    void helpDocument()
    {
        QFETCH(QString, langCode);
        QFETCH(bool, opened);
        Window w;
        w.tables({});
        for (const QString delivered : {"Eng", "Ita"}) {
            QFile pdf(QString(TAMZO_SOURCE_DIR) + "/install/TamzoGOTab" + delivered + ".pdf");
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            w.folder.writeBytes("Data/TamzoGOTab" + delivered + ".pdf", pdf.readAll());
        }
        w.state.langCode = langCode;
        QVERIFY(w.open());
        for (int click = 1; click <= 2; ++click) // the second brings the same window up again
            w.click("HELP2");
        const auto help = w.tab->findChildren<DocumentWindow *>();
        QCOMPARE(help.size(), opened ? 1 : 0);
        QVERIFY(w.dialogs.messages.isEmpty());
        QVERIFY(w.tab->isVisible());
        if (!opened)
            return;
        QVERIFY(w.tab->isModal());
        QVERIFY(QTest::qWaitForWindowExposed(help[0]));
        QCOMPARE(help[0]->windowHandle()->transientParent(), w.tab->windowHandle());
        QTRY_COMPARE_WITH_TIMEOUT(help[0]->view()->url(),
                                  QUrl::fromLocalFile(w.folder.path("Data/TamzoGOTab" + langCode + ".pdf")), 10000);
    }

private:
    // A browser's bookmarks file: links outside the folders, a folder of the first table's title, a
    // folder whose title holds a comma with a nested folder, odd link titles and a script link.
    static QByteArray bookmarksFile()
    {
        return "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><A HREF=\"https://loose.example/\">Loose</A>\n"
               "<DT><H3>Mine</H3>\n<DL><p>\n<DT><A HREF=\"http://a/\">A</A>\n</DL><p>\n"
               "<DT><H3>Work, play</H3>\n<DL><p>\n<DT><A HREF=\"https://w.example/\">Comma, title</A>\n"
               "<DT><A HREF=\"https://s.example/\">semi ;-; colon</A>\n<DT><A HREF=\"https://l.example/\">two\nlines</A>\n"
               "<DT><A HREF=\"javascript:void(0)\">script</A>\n<DT><H3>Nested</H3>\n<DL><p>\n"
               "<DT><A HREF=\"https://n.example/\">Citt\xc3\xa0 \xe6\x97\xa5\xe6\x9c\xac</A>\n</DL><p>\n</DL><p>\n</DL><p>\n";
    }
    static void clickButton(frmTab &tab, const QString &key)
    {
        for (CommandBar *bar : tab.cmdBar) {
            if (QAction *action = bar->action(key))
                QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
        }
    }
    // A browser's file of nested folders, links added at a time of day, in an order that is not
    // the tables' own, with links that are no web links and an address with a tab in it.
    static QByteArray nestedBookmarksFile()
    {
        return "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
               "<DT><A HREF=\"https://loose.example/\" ADD_DATE=\"1709215509\">Loose</A>\n"
               "<DT><H3>Travel</H3>\n<DL><p>\n"
               "<DT><A HREF=\"https://z.example/\" ADD_DATE=\"1704067200\">Zurich</A>\n"
               "<DT><A HREF=\"https://a.example/\" ADD_DATE=\"1719835199\">Athens</A>\n"
               "<DT><A HREF=\"ftp://files.example/maps\">Maps by ftp</A>\n"
               "<DT><H3>Italy</H3>\n<DL><p>\n"
               "<DT><A HREF=\"https://rome.example/a\tb\" ADD_DATE=\"1700000000\">Rome</A>\n"
               "<DD>tabbed\taddress\n"
               "<DT><A HREF=\"file:///home/me/rome.pdf\">Local guide</A>\n"
               "<DT><H3>Rome</H3>\n<DL><p>\n"
               "<DT><A HREF=\"https://colosseum.example/\">Colosseum</A>\n"
               "</DL><p>\n</DL><p>\n</DL><p>\n"
               "<DT><H3>Work</H3>\n<DL><p>\n<DT><A HREF=\"https://w.example/\" ADD_DATE=\"1709215509\">Mail</A>\n"
               "</DL><p>\n</DL><p>\n";
    }
    static void importFile(Window &w, const QString &path)
    {
        w.dialogs.openAnswer = path;
        w.dialogs.questionAnswers = {true};
        clickButton(*w.tab, "IMPORT");
    }
    // Each folder's title, then its links' titles.
    static QStringList titlesOf(const std::vector<BookmarksHtml::Folder> &folders)
    {
        QStringList titles;
        for (const BookmarksHtml::Folder &folder : folders) {
            titles << "[" + folder.title + "]";
            for (const LinkRow &row : folder.rows)
                titles << row[LinkRow::Title];
        }
        return titles;
    }

private slots:
    void bookmarksInAndOut_data()
    {
        QTest::addColumn<bool>("byFolder");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("each folder its table") << true
                                               << QStringList{"Mine", "Second", "Work; play", "Work; play / Nested"};
        QTest::newRow("all into this table") << false << QStringList{"Mine", "Second", "Table 3", "Table 4"};
    }
    void bookmarksInAndOut()
    {
        QFETCH(bool, byFolder);
        QFETCH(QStringList, tabs);
        Window w;
        w.tables({line("A", "pw", "http://a/")});
        w.folder.writeBytes("browser.html", bookmarksFile());
        QVERIFY(w.open());
        w.dialogs.openAnswer = w.folder.path("browser.html");
        w.dialogs.questionAnswers = {byFolder};
        clickButton(*w.tab, "IMPORT");
        QCOMPARE(w.dialogs.messages.last(), QString("C325 5\nC326 2\nC327 0"));
        for (int t = 0; t < tabs.size(); ++t)
            QCOMPARE(w.tab->TabF[0]->title(t), tabs[t]);
        QCOMPARE(w.text(2, LinkRow::Title), byFolder ? QString("Loose") : QString("Citt\u00e0 \u65e5\u672c"));
        const QStringList stored = titlesOf(BookmarkTransfer::stored(w.state, true));
        QVERIFY(stored.contains("two lines") && stored.contains("semi ; -; colon") && stored.contains("Comma, title"));

        for (const bool secrets : {false, true}) {
            w.dialogs.saveAnswer = w.folder.path("out");
            w.dialogs.questionAnswers = {true, secrets};
            clickButton(*w.tab, "EXPORT");
            QCOMPARE(w.dialogs.messages.last(), QString("C328 6\n" + w.folder.path("out.html")));
            QFile out(w.folder.path("out.html"));
            QVERIFY(out.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(out.readAll());
            QCOMPARE(html.contains("pw"), secrets);
            QCOMPARE(titlesOf(BookmarksHtml::read(html, "2026-12-08").folders), stored);
        }
    }
    // A browser's file into the tables: nested folders become tables named by their path, links
    // keep their time of day, only web links come in; the tables written out and read into fresh
    // tables come back the same, row by row, in the same order, with the same dates.
    void bookmarksRoundTrip()
    {
        qputenv("TZ", "UTC");
        tzset();
        Window first;
        first.tables({});
        first.folder.writeBytes("browser.html", nestedBookmarksFile());
        QVERIFY(first.open());
        importFile(first, first.folder.path("browser.html"));
        QCOMPARE(first.dialogs.messages.last(), QString("C325 6\nC326 2\nC327 0"));
        QStringList tabs;
        for (int t = 0; t < 7; ++t)
            tabs << first.tab->TabF[0]->title(t);
        QCOMPARE(tabs, (QStringList{"Mine", "Second", "Travel", "Travel / Italy", "Travel / Italy / Rome", "Work",
                                    "Table 7"}));
        QCOMPARE(first.column(LinkRow::Title), QStringList{"Loose"});
        QTest::mouseClick(first.tab->TabF[0], Qt::LeftButton, {}, first.tab->TabF[0]->tabRect(2).center());
        QCOMPARE(first.column(LinkRow::Title), (QStringList{"Athens", "Zurich"}));
        QCOMPARE(first.column(LinkRow::Date), (QStringList{"2024-07-01 11:59:59", "2024-01-01"}));
        // The whole date and time show in the grid.
        QVERIFY(first.tab->GridList->visualRect(first.cell(1, LinkRow::Date)).width() >
                first.tab->GridList->fontMetrics().horizontalAdvance("2024-07-01 11:59:59"));
        QTest::mouseClick(first.tab->TabF[0], Qt::LeftButton, {}, first.tab->TabF[0]->tabRect(3).center());
        QCOMPARE(first.column(LinkRow::Address), QStringList{"https://rome.example/ab"});
        QCOMPARE(first.column(LinkRow::Notes), QStringList{"tabbed address"});
        QCOMPARE(first.column(LinkRow::Date), QStringList{"2023-11-14 22:13:20"});

        first.dialogs.saveAnswer = first.folder.path("out.html");
        first.dialogs.questionAnswers = {true};
        clickButton(*first.tab, "EXPORT");
        QCOMPARE(first.dialogs.messages.last(), QString("C328 6\n" + first.folder.path("out.html")));

        Window second;
        second.tables({});
        QVERIFY(second.open());
        importFile(second, first.folder.path("out.html"));
        QCOMPARE(second.dialogs.messages.last(), QString("C325 6\nC326 0\nC327 0"));
        const auto before = BookmarkTransfer::stored(first.state, true);
        const auto after = BookmarkTransfer::stored(second.state, true);
        QCOMPARE(titlesOf(after), titlesOf(before));
        for (size_t f = 0; f < before.size(); ++f) {
            for (size_t r = 0; r < before[f].rows.size(); ++r)
                QCOMPARE(after[f].rows[r].fields, before[f].rows[r].fields);
        }
        qunsetenv("TZ");
        tzset();
    }

    // A file far larger than any bookmarks file is not read at all.
    void bookmarksFileTooLarge()
    {
        Window w;
        w.tables({line("A", "", "http://a/")});
        QFile big(w.folder.path("big.html"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(BookmarkCommands::largestFile + 1));
        big.close();
        QVERIFY(w.open());
        const QByteArray index = w.folder.readBytes("Links/Links.Bok");
        importFile(w, big.fileName());
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.messages.last().startsWith(w.state.caption(BookmarkCommands::tooLargeCaption,
                                                                     "This file is too large")));
        QVERIFY(w.dialogs.messages.last().endsWith(big.fileName()));
        QVERIFY(w.dialogs.questions.isEmpty());
        QCOMPARE(w.folder.readBytes("Links/Links.Bok"), index);
    }

    // What the manuals say of the sort button is what it does: it orders the rows by title, whatever
    // column is selected.
    void manualsDescribeTheSort_data()
    {
        QTest::addColumn<QString>("manual");
        QTest::addColumn<QString>("byTitle");
        QTest::addColumn<QString>("byColumn");
        QTest::newRow("English") << "TamzoManualEng.html" << "orders\nthe rows by title"
                                 << "by the selected column";
        QTest::newRow("Italiano") << "TamzoManualIta.html" << "ordina le righe per titolo"
                                  << "secondo la colonna selezionata";
    }
    void manualsDescribeTheSort()
    {
        QFETCH(QString, manual);
        QFETCH(QString, byTitle);
        QFETCH(QString, byColumn);
        QFile file(QString(TAMZO_SOURCE_DIR) + "/install/" + manual);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll()).simplified();
        const qsizetype tables = text.indexOf("<h2 id=\"tables\">");
        const QString section = text.mid(tables, text.indexOf("<h2", tables + 1) - tables);
        QVERIFY(tables >= 0);
        QVERIFY2(section.contains(QString(byTitle).simplified()), qPrintable(section));
        QVERIFY2(!section.contains(byColumn), qPrintable(section));

        Window w;
        w.tables({line("beta", "", "http://a/"), line("Alpha", "", "http://b/")});
        QVERIFY(w.open());
        w.clickCell(1, LinkRow::Notes);
        clickButton(*w.tab, "SORT");
        QCOMPARE(w.column(LinkRow::Title), (QStringList{"Alpha", "beta"}));
    }

    void bookmarksIntoUnwritableTable()
    {
        Window w;
        w.tables({line("A", "", "http://a/")});
        QFile::remove(w.folder.path("Links/Links.001"));
        QDir().mkpath(w.folder.path("Links/Links.001"));
        w.folder.writeBytes("browser.html", "<DL><p><DT><H3>Second</H3><DL><p><DT><A HREF=\"https://x.example/\">X</A>"
                                            "<DT><A HREF=\"https://y.example/\">Y</A></DL><p></DL><p>");
        QVERIFY(w.open());
        const QStringList index = w.folder.readLines("Links/Links.Bok");
        w.dialogs.openAnswer = w.folder.path("browser.html");
        clickButton(*w.tab, "IMPORT");
        QVERIFY(w.dialogs.messages.last().startsWith("C325 0\nC326 0\nC327 2\n\nC235\n" + w.folder.path("Links/Links.001")));
        QCOMPARE(w.folder.readLines("Links/Links.Bok"), index);
        QCOMPARE(w.state.linkIndex[2].count, QString("0"));
        QCOMPARE(w.column(LinkRow::Title), QStringList{"A"});
    }
};

TAMZO_TEST_MAIN(tst_frmTab)
#include "tst_frmtab.moc"
