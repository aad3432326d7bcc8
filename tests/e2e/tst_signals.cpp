#include "programrun.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"
#include "virtualdisplay.h"

#include <QDeadlineTimer>
#include <QTest>
#include <csignal>

// A signal at any moment of a run ends it like the user's exit: the user's files are kept as they
// were read, never replaced by the values of a new installation.
class tst_Signals : public QObject
{
    Q_OBJECT
    TestHttpServer server;
    const QStringList history{"http://127.0.0.1:1/before", "http://127.0.0.1:1/last"};

    QStringList options(const QString &language) const
    {
        return {" 2", " 17", " 0", "-3", server.url("/start"), language};
    }
    void prepare(const TempAppFolder &folder, const QString &language) const
    {
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", options(language));
        folder.write("Data/TamzoTravel.Hys", history);
    }
    void verifyEnded(ProgramRun &program, const TempAppFolder &folder, const QString &language) const
    {
        QVERIFY2(program.waitForEnd() && program.endedNormally() && program.exitCode() == 0, qPrintable(program.output()));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt"), options(language));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Hys"), history);
    }

private slots:
    void initTestCase()
    {
        // The page asks again until the engine sends the cookie: then it is in the engine's store.
        server.setPage("/start", "<html><body><script>document.cookie = 'kept=yes; max-age=86400; path=/';"
                                 "setInterval(() => fetch('/cookie-set', {cache: 'no-store'}), 20);</script></body></html>");
    }

    // Held back from the start, the signal arrives at the first moment the program accepts it:
    // before the options are read and before the first page is asked for.
    void signalAtTheFirstMoment_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP (the terminal closes)") << SIGHUP;
    }
    void signalAtTheFirstMoment()
    {
        QFETCH(int, signal);
        TempAppFolder folder;
        prepare(folder, "English");
        ProgramRun program(folder);
        program.holdSignals({signal});
        QVERIFY(program.start());
        program.send(signal);
        verifyEnded(program, folder, "English");
        QVERIFY(folder.exists("Data/TamzoTravel.Ini"));
    }

    // A missing language file stops the start-up with a message, before the first page is asked
    // for; a SIGTERM closes the message, the start-up completes and the run ends.
    void sigtermDuringAStartUpMessage()
    {
        VirtualDisplay display;
        QVERIFY(display.isReady());
        TempAppFolder folder;
        prepare(folder, "Klingon");
        const int asked = server.requestCount("/start");
        ProgramRun program(folder);
        program.useDisplay(display.name());
        QVERIFY(program.start());
        QVERIFY2(program.waitWhileRunning(
                     [&] { return !display.xdotool({"search", "--onlyvisible", "--name", "TamzoTravel"}).isEmpty(); }),
                 qPrintable(program.output()));
        QCOMPARE(server.requestCount("/start"), asked);
        program.send(SIGTERM);
        verifyEnded(program, folder, "Klingon");
        QVERIFY2(program.output().contains("Lang_Klingon.txt"), qPrintable(program.output()));
    }

    // Signals again and again (an impatient Ctrl+C) neither kill the program nor cut the web
    // engine's own saving short: the cookie a page set is sent at the next run.
    void repeatedSignalsLetTheEngineSave()
    {
        TempAppFolder folder;
        prepare(folder, "English");
        ProgramRun program(folder);
        program.holdSignals({SIGTERM});
        QVERIFY(program.start());
        QVERIFY(program.waitWhileRunning([&] { return server.lastRequest("/cookie-set").contains("kept=yes"); }));
        for (const QDeadlineTimer patience(60000); program.isRunning() && !patience.hasExpired(); QTest::qWait(2))
            program.send(SIGTERM);
        verifyEnded(program, folder, "English");
        ProgramRun again(folder);
        const int asked = server.requestCount("/start");
        QVERIFY(again.start());
        QVERIFY(again.waitWhileRunning([&] { return server.requestCount("/start") > asked; }));
        QVERIFY2(server.lastRequest("/start").contains("kept=yes"), server.lastRequest("/start").constData());
        QVERIFY(again.endWith(SIGTERM));
    }
};

TAMZO_TEST_MAIN(tst_Signals)
#include "tst_signals.moc"
