#include "programrun.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "virtualdisplay.h"
#include "testmain.h"

#include <QTest>

// The program on a display of its own, typed into through its address box, remembers what was
// typed and where its window was.
class tst_Remembers : public QObject
{
    Q_OBJECT
private:
    TestHttpServer server;

private slots:
    void initTestCase()
    {
        server.setPage("/start", "<html><head><title>Start</title></head><body>start</body></html>");
        server.setPage("/typed", "<html><head><title>Typed</title></head><body>typed</body></html>");
    }

    void typedAddressesAndTheWindowOutliveTheRun()
    {
        VirtualDisplay display;
        QVERIFY2(display.isReady(), "Xvfb could not start");
        TempAppFolder folder;
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start")});
        // Top 1500, left 3000, 9000 high, 15000 wide: 100, 200, 600 and 1000 pixels.
        folder.write("Data/TamzoTravel.Ini", QStringList{" 1500", " 3000", " 9000", " 15000"} + QStringList(9, " 0"));

        ProgramRun first(folder);
        first.useDisplay(display.name());
        QVERIFY(first.start());
        QVERIFY2(first.waitWhileRunning([&] { return server.requestCount("/start") >= 1; }), qPrintable(first.output()));
        const QString window = display.xdotool({"search", "--sync", "--onlyvisible", "--name", "TamzoTravel"});
        QVERIFY2(!window.isEmpty(), qPrintable(first.output()));
        QCOMPARE(display.xdotool({"getwindowgeometry", window}).section("Geometry: ", 1).trimmed(), QString("1000x600"));

        // A click into the page gives the window the keyboard; Ctrl+L selects the address box's text.
        display.xdotool({"mousemove", "--window", window, "500", "300", "click", "1"});
        display.xdotool({"key", "ctrl+l"});
        display.xdotool({"type", "--delay", "15", QString("127.0.0.1:%1/typed").arg(server.port())});
        display.xdotool({"key", "Return"});
        QVERIFY2(first.waitWhileRunning([&] { return server.requestCount("/typed") >= 1; }), qPrintable(first.output()));
        QVERIFY(first.endWith(SIGTERM));

        const QString typed = server.url("/typed");
        QCOMPARE(folder.readLines("Data/TamzoTravel.Hys"), QStringList{typed});
        const QStringList settings = folder.readLines("Data/TamzoTravel.Ini");
        QCOMPARE(settings.size(), 13);
        QCOMPARE(settings.mid(2, 2), (QStringList{" 9000", " 15000"}));

        // The next run offers the same history: it is still there when that run ends.
        ProgramRun second(folder);
        second.useDisplay(display.name());
        QVERIFY(second.start());
        QVERIFY2(second.waitWhileRunning([&] { return server.requestCount("/start") >= 2; }), qPrintable(second.output()));
        QVERIFY(second.endWith(SIGTERM));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Hys"), QStringList{typed});
    }
};

TAMZO_TEST_MAIN(tst_Remembers)
#include "tst_remembers.moc"
