#include "browserfixture.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "linktables/frmtab.h"
#include "linktables/linkgridmodel.h"
#include "linktables/linkgridview.h"
#include "linktables/linkrow.h"
#include "linktables/linktable.h"
#include "linktables/linktabstrip.h"
#include "modaldriver.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QProgressBar>
#include <QTableView>

// "FAVORITE" on a main window showing a local page: the link-table window collects the page and
// takes the main window back to a link chosen in it.
class tst_Favorite : public BrowserTest
{
    Q_OBJECT
private:
    using TablesDriver = ModalDriver<frmTab>;

    QAction *action(const QString &key) { return form().findChild<QAction *>(key); }
    static void press(frmTab &window, const QString &key) { window.findChild<QAction *>(key)->trigger(); }
    static void doubleClick(frmTab &window, int row, int column)
    {
        QWidget *viewport = window.GridList->viewport();
        const QPoint at = window.GridList->visualRect(window.model().index(row - 1, column)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }
    QStringList table(int number) { return browser->folder.readLines(QString("Links/Links.%1").arg(number, 3, 10, QChar('0'))); }
    void openPage(const QString &path)
    {
        form().Text1->setEditText(server.url(path));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(state().pageTitle, path.mid(1).toUpper(), 20000);
    }

private slots:
    void initTestCase()
    {
        for (const char *page : {"/first", "/second", "/chosen"})
            server.setPage(page, QByteArray("<html><head><title>") + QByteArray(page + 1).toUpper() +
                                     "</title></head><body>page</body></html>");
    }
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        QTRY_COMPARE_WITH_TIMEOUT(form().progressBar->value(), 100, 20000);
    }
    void cleanup() { browser.reset(); }

    void enabledByTheDeferredStartWithTheIndex()
    {
        form().Timer4_Timer();
        QVERIFY(action("FAVORITE")->isEnabled());
        const QStringList index = browser->folder.readLines("Links/Links.Bok");
        QCOMPARE(index.size(), 150);
        QCOMPARE(index.first(), QString("English 34 1,0"));

        // A change of language renames every empty table.
        browser->writeLanguage("Second", server, 5);
        form().dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, "LANG:SECOND");
        QCOMPARE(state().linkIndex[1].title, QString("Second 34 1"));
    }

    void collectsPagesAndGoesBackToThem()
    {
        form().Timer4_Timer();
        openPage("/first");
        TablesDriver adding([](frmTab &window) {
            press(window, "ADDURL");
            press(window, "ADDURL");
            press(window, "EXIT5");
        });
        action("FAVORITE")->trigger();
        QVERIFY(adding.seen);
        const QString first = server.url("/first");
        QCOMPARE(table(0), QStringList{"FIRST;-;" + first + ";-;;-;;-;" + first + ";-;" + state().todayDate});
        QCOMPARE(form().Text1->currentText(), first);

        // Closed without a choice: the main window stays where it is.
        openPage("/second");
        const int secondRequests = server.requestCount("/second");
        TablesDriver closing([](frmTab &window) { press(window, "EXIT6"); });
        action("FAVORITE")->trigger();
        QVERIFY(closing.seen);
        QCOMPARE(form().Text1->currentText(), server.url("/second"));
        QTest::qWait(200);
        QCOMPARE(server.requestCount("/second"), secondRequests);
        QCOMPARE(server.requestCount("/first"), 1);

        // A double-click on the title of a link takes the main window to it.
        TablesDriver choosing([](frmTab &window) { doubleClick(window, 1, LinkRow::Title); });
        action("FAVORITE")->trigger();
        QVERIFY(choosing.seen);
        QCOMPARE(state().chosenAddress, first);
        QCOMPARE(form().Text1->currentText(), first);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/first"), 2, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(state().pageTitle, QString("FIRST"), 20000);
    }

    void tablesOfOtherStripsAndTheWindowsPlace()
    {
        form().Timer4_Timer();
        browser->folder.write("Links/Links.020", {"Chosen;-;" + server.url("/chosen") + ";-;;-;s;-;;-;2026-01-01"});
        state().linkIndex[21] = {"Far table", "1"};
        QRect placed;
        TablesDriver choosing([&](frmTab &window) {
            window.setGeometry(60, 50, 1020, 520);
            placed = window.geometry();
            QTest::mouseClick(window.TabF[1], Qt::LeftButton, {}, window.TabF[1]->tabRect(5).center());
            doubleClick(window, 1, LinkRow::Typed);
        });
        action("FAVORITE")->trigger();
        QVERIFY(choosing.seen);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/chosen"), 1, 20000);
        QCOMPARE(state().linkTableLeft, 900.0);
        QCOMPARE(state().linkTableWidth, 15300.0);
        QCOMPARE(browser->folder.readLines("Links/Links.Bok").at(20), QString("Far table,1"));

        // The next opening shows table 0 where the window was left.
        QRect reopened;
        int table = -1;
        TablesDriver again([&](frmTab &window) {
            reopened = window.geometry();
            table = state().currentTable;
            press(window, "EXIT5");
        });
        action("FAVORITE")->trigger();
        QVERIFY(again.seen);
        QCOMPARE(reopened, placed);
        QCOMPARE(table, 0);
    }
};

TAMZO_TEST_MAIN(tst_Favorite)
#include "tst_favorite.moc"
