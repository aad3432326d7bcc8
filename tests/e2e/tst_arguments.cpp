#include "core/version.h"
#include "programrun.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"

#include <QTest>

class tst_Arguments : public QObject
{
    Q_OBJECT
private slots:
    void printsAndEnds_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("withDisplay");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        // Help and version are asked for on consoles without any display.
        QTest::newRow("version") << QStringList{"--version"} << false << 0 << "TamzoTravel " + programVersion() + "\n";
        QTest::newRow("help") << QStringList{"--help"} << false << 0 << "Usage: tamzotravel [ADDRESS]\n";
        QTest::newRow("unknown option") << QStringList{"--travel-fast"} << true << 2
                                        << "tamzotravel: unknown option --travel-fast\n";
        // Mistakes too are told on a console without a display, the toolkit's own options aside.
        QTest::newRow("unknown option, no display") << QStringList{"--bogus"} << false << 2
                                                    << "tamzotravel: unknown option --bogus\n";
        QTest::newRow("toolkit's options and an unknown one, no display")
            << QStringList{"-style", "fusion", "--reverse", "-bogus"} << false << 2 << "tamzotravel: unknown option -bogus\n";
        QTest::newRow("two addresses, no display") << QStringList{"a.test", "b.test"} << false << 2
                                                   << "tamzotravel: give at most one address\n";
        // Without a display the window cannot be shown: the program says so instead of the toolkit's abort.
        for (const QStringList &run : {QStringList{}, QStringList{"a.test"}, QStringList{"-style", "fusion"}})
            QTest::newRow(qPrintable("no display: " + run.join(' '))) << run << false << 1 << "tamzotravel: no display";
    }
    void printsAndEnds()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, withDisplay);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!withDisplay) {
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                environment.remove(name);
        }
        ProgramRun program{QStringLiteral(TAMZO_EXECUTABLE)};
        program.setEnvironment(environment);
        QVERIFY(program.start(arguments));
        QVERIFY(program.waitForEnd(10000));
        QCOMPARE(program.exitCode(), exitCode);
        const QString printed = program.output();
        QVERIFY2(printed.contains(output), qPrintable(printed));
    }

    void addressOpensInTheFirstTabAndLeavesTheStartAddress()
    {
        TestHttpServer server;
        server.setPage("/start", "<html><head><title>Start</title></head><body>start</body></html>");
        server.setPage("/given", "<html><head><title>Given</title></head><body>given</body></html>");
        TempAppFolder folder;
        folder.stageDelivered();
        folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), "English"});
        ProgramRun program(folder);
        QVERIFY(program.start({server.url("/given")}));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/given") >= 1, 30000);
        QVERIFY2(program.endWith(SIGTERM), qPrintable(program.output()));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(server.requestCount("/start"), 0);
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt"),
                 (QStringList{" 1", " 0", " 0", " 0", server.url("/start"), "English"}));
    }
};

TAMZO_TEST_MAIN(tst_Arguments)
#include "tst_arguments.moc"
