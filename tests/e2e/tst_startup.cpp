#include "core/programstate.h"
#include "programrun.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"

#include <QDirIterator>
#include <csignal>
#include <QFileInfo>
#include <QTest>

class tst_Startup : public QObject
{
    Q_OBJECT
private:
    TestHttpServer server;

    void writeOptions(const TempAppFolder &folder, const QString &startAddress)
    {
        folder.write("Data/TamzoTravel.Opt", {"2", "17", "0", "-3", startAddress});
    }

private slots:
    void initTestCase()
    {
        server.setPage("/start", "<html><head><title>Start</title></head><body>hi</body></html>");
        // The picture's address tells what the site storage held; it is asked for once the cookie
        // and the storage have been set.
        server.setPage("/remember", "<html><head><title>Remember</title></head><body><script>"
                                    "var before = localStorage.getItem('kept');"
                                    "document.cookie = 'visit=yes; max-age=86400; path=/';"
                                    "localStorage.setItem('kept', 'yes');"
                                    "var picture = new Image(); picture.src = '/picture?' + before;"
                                    "</script></body></html>");
    }

    void firstStartInstallsOpensAndSavesAtSigterm()
    {
        TempAppFolder folder;
        folder.stageDelivered();
        writeOptions(folder, server.url("/start"));
        ProgramRun program(folder);
        QVERIFY(program.start());
        QVERIFY2(program.waitWhileRunning([&] { return server.requestCount("/start") >= 1; }), qPrintable(program.output()));

        QVERIFY(!folder.exists("TamzoFirst.txt"));
        for (const char *installed : {"Links/Links.Bok", "Languages/Lang_English.txt", "Languages/Lang_Italiano.txt",
                                      "Data/Template.doc", "Data/TemplateH.doc"})
            QVERIFY2(folder.exists(installed), installed);
        QVERIFY(QFileInfo(folder.path("Images")).isDir());
        QVERIFY(!folder.exists("Lang_English.txt"));

        QVERIFY2(program.endWith(SIGTERM), qPrintable(program.output()));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt"),
                 (QStringList{" 2", " 17", " 0", "-3", server.url("/start"), "English"}));
    }

    void missingDeliveredFilesEndTheProgram()
    {
        TempAppFolder folder;
        folder.writeBytes("TamzoFirst.txt", {});
        folder.write("Lang_English.txt", {"\"x\""});
        ProgramRun program(folder);
        QVERIFY(program.start());
        // The message box waits for the user; the program has not gone on to read its options.
        QTest::qWait(1500);
        QVERIFY(!folder.exists("Data/TamzoTravel.Opt"));
        QVERIFY(folder.exists("TamzoFirst.txt"));
        QVERIFY(folder.exists("Lang_English.txt"));
    }

    void emptyStartAddressGetsTheBuiltInOneAtSigint()
    {
        TempAppFolder folder;
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", "", "English"});
        ProgramRun program(folder);
        QVERIFY(program.start());
        // Wait for the start-up to be over: the deferred step empties the travel log.
        folder.write("TravelLog.txt", {"from an earlier run"});
        QVERIFY2(program.waitWhileRunning([&] { return folder.readBytes("TravelLog.txt").isEmpty(); }),
                 qPrintable(program.output()));
        QVERIFY2(program.endWith(SIGINT), qPrintable(program.output()));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt").value(4), ProgramState::defaultStartAddress);
    }

    // Nobody may be there to answer a message: a failed save goes to standard error and the
    // program ends at once.
    void aSignalEndsTheRunAtOnceWhateverFails_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void aSignalEndsTheRunAtOnceWhateverFails()
    {
        QFETCH(int, signal);
        TempAppFolder folder;
        folder.stageDelivered();
        writeOptions(folder, server.url("/start"));
        // A folder where the history file should go.
        folder.write("Data/TamzoTravel.Hys/blocker", {"kept"});
        const int asked = server.requestCount("/start");
        ProgramRun program(folder);
        QVERIFY(program.start());
        QVERIFY2(program.waitWhileRunning([&] { return server.requestCount("/start") > asked; }),
                 qPrintable(program.output()));
        QVERIFY2(program.endWith(signal, 10000), qPrintable(program.output()));
        QCOMPARE(program.exitCode(), 0);
        const QString output = program.output();
        QVERIFY2(output.contains("These files could not be saved:") && output.contains(folder.path("Data/TamzoTravel.Hys")),
                 qPrintable(output));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt").value(1), QString(" 17"));
    }

    // Cookies and site storage survive a restart, kept in the application folder and nowhere else.
    void siteDataOutlivesTheRunInsideTheFolder()
    {
        TempAppFolder folder;
        folder.stageDelivered();
        writeOptions(folder, server.url("/remember"));
        TempAppFolder home;
        const auto run = [&](const QString &picture) {
            ProgramRun program(folder);
            program.setEnvironment("HOME", home.root());
            for (const char *place : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
                program.setEnvironment(place, home.path(place));
            QVERIFY(program.start());
            QVERIFY2(program.waitWhileRunning([&] { return server.requestCount(picture) >= 1; }),
                     qPrintable(program.output()));
            QVERIFY2(program.endWith(SIGTERM), qPrintable(program.output()));
        };
        run("/picture?null");
        QVERIFY(!server.lastRequest("/remember").contains("visit=yes"));
        run("/picture?yes");
        QVERIFY2(server.lastRequest("/remember").contains("Cookie: visit=yes"), server.lastRequest("/remember").constData());
        QVERIFY(QFileInfo(folder.path("Profile")).isDir());
        QDirIterator elsewhere(home.root(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                               QDirIterator::Subdirectories);
        while (elsewhere.hasNext()) {
            const QString entry = elsewhere.next();
            QVERIFY2(!entry.contains("WebEngine") && !entry.contains("TamzoTravel"), qPrintable(entry + " " + QDir(entry).entryList(QDir::AllEntries|QDir::Hidden).join(",")));
        }
    }
};

TAMZO_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
