#include "core/programstate.h"
#include "programrun.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"

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
    void initTestCase() { server.setPage("/start", "<html><head><title>Start</title></head><body>hi</body></html>"); }

    void firstStartInstallsOpensAndSavesAtSigterm()
    {
        TempAppFolder folder;
        folder.stageDelivered();
        writeOptions(folder, server.url("/start"));
        ProgramRun program(folder);
        QVERIFY(program.start());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/start") >= 1, 30000);

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
        QTRY_VERIFY_WITH_TIMEOUT(folder.readBytes("TravelLog.txt").isEmpty(), 30000);
        QVERIFY2(program.endWith(SIGINT), qPrintable(program.output()));
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt").value(4), ProgramState::defaultStartAddress);
    }
};

TAMZO_TEST_MAIN(tst_Startup)
#include "tst_startup.moc"
