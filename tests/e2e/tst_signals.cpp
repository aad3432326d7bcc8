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
private:
    TestHttpServer server;

    QStringList options(const QString &language) const
    {
        return {" 2", " 17", " 0", "-3", server.url("/start"), language};
    }
    void prepare(const TempAppFolder &folder, const QString &language) const
    {
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", options(language));
        folder.write("Data/TamzoTravel.Hys", {"http://127.0.0.1:1/typed-before", "http://127.0.0.1:1/typed-last"});
    }
    void verifyKept(const TempAppFolder &folder, const QString &language) const
    {
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt"), options(language));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Hys"),
                 (QStringList{"http://127.0.0.1:1/typed-before", "http://127.0.0.1:1/typed-last"}));
    }

private slots:
    void initTestCase()
    {
        server.setPage("/start", "<html><head><title>Start</title></head><body><script>"
                                 "document.cookie = 'kept=yes; max-age=86400; path=/';"
                                 "new Image().src = '/cookie-set';</script></body></html>");
    }

    // The signal is held back from the program's start, so it arrives at the first moment the
    // program accepts it: before the options are read and before the first page is asked for.
    void signalAtTheFirstMomentEndsOnceStarted_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP, as when the terminal closes") << SIGHUP;
    }
    void signalAtTheFirstMomentEndsOnceStarted()
    {
        QFETCH(int, signal);
        TempAppFolder folder;
        prepare(folder, "English");
        ProgramRun program(folder);
        program.holdSignals({signal});
        QVERIFY(program.start());
        QVERIFY2(program.endWith(signal), qPrintable(program.output()));
        QCOMPARE(program.exitCode(), 0);
        verifyKept(folder, "English");
        QVERIFY(folder.exists("Data/TamzoTravel.Ini"));
    }

    // A missing language file stops the start-up with a message, before the first page is asked
    // for; a SIGTERM then closes the message, the start-up completes and the run ends.
    void sigtermDuringAStartUpMessage()
    {
        VirtualDisplay display;
        if (!display.isReady())
            QSKIP("Xvfb could not start");
        TempAppFolder folder;
        prepare(folder, "Klingon");
        const int asked = server.requestCount("/start");
        ProgramRun program(folder);
        program.useDisplay(display.name());
        QVERIFY(program.start());
        QVERIFY2(program.waitWhileRunning([&] {
            return !display.xdotool({"search", "--onlyvisible", "--name", "TamzoTravel"}).isEmpty();
        }),
                 qPrintable(program.output()));
        QCOMPARE(server.requestCount("/start"), asked);
        QVERIFY2(program.endWith(SIGTERM), qPrintable(program.output()));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(program.output().contains("Lang_Klingon.txt"), qPrintable(program.output()));
        verifyKept(folder, "Klingon");
    }

    // Signals sent again and again (an impatient Ctrl+C) neither kill the program nor cut the web
    // engine's own saving short: the cookie a page set is there at the next run.
    void repeatedSignalsDoNotCutTheShutdownShort()
    {
        TempAppFolder folder;
        prepare(folder, "English");
        {
            ProgramRun program(folder);
            program.holdSignals({SIGTERM});
            QVERIFY(program.start());
            QVERIFY2(program.waitWhileRunning([&] { return server.requestCount("/cookie-set") >= 1; }),
                     qPrintable(program.output()));
            const QDeadlineTimer patience(60000);
            while (program.isRunning() && !patience.hasExpired()) {
                program.send(SIGTERM);
                QTest::qWait(2);
            }
            QVERIFY2(program.waitForEnd() && program.endedNormally(), qPrintable(program.output()));
            QCOMPARE(program.exitCode(), 0);
        }
        verifyKept(folder, "English");
        ProgramRun again(folder);
        QVERIFY(again.start());
        const int asked = server.requestCount("/start");
        QVERIFY(again.waitWhileRunning([&] { return server.requestCount("/start") > asked; }));
        QVERIFY2(server.lastRequest("/start").contains("kept=yes"), server.lastRequest("/start").constData());
        QVERIFY(again.endWith(SIGTERM));
    }
};

TAMZO_TEST_MAIN(tst_Signals)
#include "tst_signals.moc"
