#include "browserfixture.h"
#include "commands/commandbar.h"
#include "commands/commandcatalogue.h"
#include "core/numbers.h"
#include "linktables/frmtab.h"
#include "linktables/tablayout.h"
#include "platform/twips.h"
#include "programrun.h"
#include "testmain.h"
#include "virtualdisplay.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>

// The built program on a display of its own: links are added to two tables through "FAVORITE"
// and the link-table window as a user clicks them, and are still there after two restarts.
class tst_LinkTablesE2E : public QObject
{
    Q_OBJECT
private:
    TestHttpServer server;
    // Where the link-table window opens: 100 pixels from the top and the left, at its designed size.
    const QStringList windowSettings = QStringList{" 1500", " 3000", " 9000", " 15000", " 1500", " 1500"} +
                                       QStringList{Numbers::formatNumber(TabLayout::designedHeight),
                                                   Numbers::formatNumber(TabLayout::designedWidth)} +
                                       QStringList(5, " 0");

    // Where the buttons are, taken from the same windows built here on the headless platform:
    // the buttons show only their pictures, so the fonts of the two displays do not move them.
    struct Positions
    {
        QPoint favorite, addUrl, exit5;
    };
    Positions probe()
    {
        Positions found;
        BrowserFixture main(server);
        if (!main.start(server))
            return found;
        QToolBar *bar = main.form->cmdBar0;
        QWidget *favorite = bar->widgetForAction(main.form->findChild<QAction *>("FAVORITE"));
        found.favorite = favorite->mapTo(main.form.get(), favorite->rect().center());

        ProgramState &state = *main.state;
        state.linkTableTop = state.linkTableLeft = 1500;
        state.linkTableHeight = TabLayout::designedHeight;
        state.linkTableWidth = TabLayout::designedWidth;
        frmTab tables(state, main.dialogs, main.form->catalogue(), QString());
        tables.show();
        if (!QTest::qWaitForWindowExposed(&tables))
            return found;
        const auto centre = [&tables](const QString &key) {
            QWidget *button = tables.cmdBar[0]->widgetForAction(tables.cmdBar[0]->action(key));
            return button->mapTo(&tables, button->rect().center());
        };
        found.addUrl = centre("ADDURL");
        found.exit5 = centre("EXIT5");
        return found;
    }

    static void click(const VirtualDisplay &display, const QString &window, QPoint at)
    {
        display.xdotool({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

private slots:
    void initTestCase()
    {
        server.setPage("/first", "<html><head><title>First</title></head><body>first</body></html>");
    }

    void linksAddedToTwoTablesOutliveRestarts()
    {
        const Positions at = probe();
        QVERIFY(!at.favorite.isNull() && !at.addUrl.isNull());

        VirtualDisplay display;
        QVERIFY2(display.isReady(), "Xvfb could not start");
        TempAppFolder folder;
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/first")});
        folder.write("Data/TamzoTravel.Ini", windowSettings);

        ProgramRun first(folder);
        first.useDisplay(display.name());
        QVERIFY(first.start());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/first") >= 1, 30000);
        const QString main = display.xdotool({"search", "--sync", "--onlyvisible", "--name", "TamzoTravel"});
        QVERIFY2(!main.isEmpty(), qPrintable(first.output()));
        // The page's title arrives and the deferred start-up step enables "FAVORITE".
        QTest::qWait(2500);

        click(display, main, at.favorite);
        const QString tables = display.xdotool({"search", "--sync", "--onlyvisible", "--name", "Link tables"});
        QVERIFY2(!tables.isEmpty(), qPrintable(first.output()));
        click(display, tables, at.addUrl);
        QTRY_COMPARE_WITH_TIMEOUT(folder.readLines("Links/Links.000").size(), 1, 10000);

        // Table 97: tab 7 of the top strip, whose place the layout fixes in twips.
        const TabLayout layout = TabLayout::compute(TabLayout::designedWidth, TabLayout::designedHeight, 0, 0);
        const QRectF strip = layout.strips[6];
        const QPoint tab(Twips::toPixels(strip.left() + strip.width() / 15 * 7.5), Twips::toPixels(strip.top()) + 6);
        click(display, tables, tab);
        QTest::qWait(300);
        click(display, tables, at.addUrl);
        QTRY_COMPARE_WITH_TIMEOUT(folder.readLines("Links/Links.097").size(), 1, 10000);
        click(display, tables, at.exit5);
        QTRY_VERIFY_WITH_TIMEOUT(display.xdotool({"search", "--onlyvisible", "--name", "Link tables"}).isEmpty(), 10000);
        QVERIFY(first.endWith(SIGTERM));

        const QString row = "First;-;" + server.url("/first") + ";-;;-;;-;" + server.url("/first") + ";-;";
        for (const char *table : {"Links/Links.000", "Links/Links.097"}) {
            const QStringList lines = folder.readLines(table);
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.first().startsWith(row), qPrintable(lines.first()));
        }
        const QStringList index = folder.readLines("Links/Links.Bok");
        QCOMPARE(index.size(), 150);
        QCOMPARE(index.at(0), QString("Table 1, 1"));
        QCOMPARE(index.at(97), QString("Table 98, 1"));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QCOMPARE(QFileInfo(folder.path("Links/Links.097")).permissions() & others, QFileDevice::Permissions());

        // Two more runs: the start-up reads the tables and leaves them whole.
        const QByteArray table0 = folder.readBytes("Links/Links.000"), table97 = folder.readBytes("Links/Links.097");
        for (int run = 2; run <= 3; ++run) {
            ProgramRun next(folder);
            next.useDisplay(display.name());
            QVERIFY(next.start());
            QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/first") >= run, 30000);
            QTest::qWait(1500);
            QVERIFY(next.endWith(SIGTERM));
            QCOMPARE(folder.readBytes("Links/Links.000"), table0);
            QCOMPARE(folder.readBytes("Links/Links.097"), table97);
            QCOMPARE(folder.readLines("Links/Links.Bok"), index);
        }
    }

    // A row the table could not save stays in the window; a signal then ends the program without
    // asking about it (nobody may be there to answer), says on standard error what could not be
    // saved, and keeps where the window was moved in this run.
    void signalWithUnsavedRowsAsksNothing()
    {
        const Positions at = probe();
        QVERIFY(!at.favorite.isNull() && !at.addUrl.isNull());

        VirtualDisplay display;
        QVERIFY2(display.isReady(), "Xvfb could not start");
        TempAppFolder folder;
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/first")});
        folder.write("Data/TamzoTravel.Ini", windowSettings);
        // A folder where the first table's file should be: every save of that table fails.
        QVERIFY(QDir().mkpath(folder.path("Links/Links.000")));

        ProgramRun run(folder);
        run.useDisplay(display.name());
        QVERIFY(run.start());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/first") >= 1, 30000);
        const QString main = display.xdotool({"search", "--sync", "--onlyvisible", "--name", "TamzoTravel"});
        QVERIFY2(!main.isEmpty(), qPrintable(run.output()));
        QTest::qWait(2500);
        click(display, main, at.favorite);
        const QString tables = display.xdotool({"search", "--sync", "--onlyvisible", "--name", "Link tables"});
        QVERIFY2(!tables.isEmpty(), qPrintable(run.output()));
        click(display, tables, at.addUrl);
        // The failed save is told; the user reads it and goes on.
        const QString message = display.xdotool({"search", "--sync", "--onlyvisible", "--name", "^TamzoTravel$"});
        QVERIFY2(!message.isEmpty(), qPrintable(run.output()));
        display.xdotool({"windowfocus", "--sync", message, "key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(display.xdotool({"search", "--onlyvisible", "--name", "^TamzoTravel$"}).isEmpty(),
                                 10000);
        display.xdotool({"windowmove", "--sync", tables, "200", "150"});
        // The desktop tells the program of the move after making it: the signal comes once the
        // program could have heard of it, even on a busy machine.
        QTest::qWait(2000);

        QVERIFY2(run.endWith(SIGTERM), qPrintable(run.output()));
        QVERIFY2(run.output().contains("Links.000"), qPrintable(run.output()));
        const QStringList settings = folder.readLines("Data/TamzoTravel.Ini");
        QCOMPARE(settings.mid(4, 2), (QStringList{" 2250", " 3000"}));
        QCOMPARE(folder.readLines("Links/Links.Bok").first(), QString("Table 1,0"));
    }
};

TAMZO_TEST_MAIN(tst_LinkTablesE2E)
#include "tst_linktables_e2e.moc"
