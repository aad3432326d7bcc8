#include "core/programstate.h"
#include "settings/optionsfile.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QTest>

class tst_OptionsFile : public QObject
{
    Q_OBJECT
private slots:
    void missingFileIsCreatedWithDefaults()
    {
        TempAppFolder folder;
        folder.write("Data/other.txt", {});
        ProgramState state{AppFolder(folder.root())};
        state.languageName = "Deutsch";
        QVERIFY(OptionsFile::Read_Opt(state).ok());
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt"),
                 (QStringList{"1", "0", "0", "0", ProgramState::defaultStartAddress}));
        QCOMPARE(state.barStyle, qint16(1));
        QCOMPARE(state.floatingBar, qint16(0));
        QCOMPARE(state.startAddress, ProgramState::defaultStartAddress);
        QCOMPARE(state.languageName, QString("English"));
    }

    void noDataFolderIsReported()
    {
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        const WriteResult result = OptionsFile::Read_Opt(state);
        QVERIFY(!result.ok());
        QVERIFY(result.path().endsWith("Data/TamzoTravel.Opt"));
        QCOMPARE(state.languageName, QString("English"));
    }

    void reads_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("barStyle");
        QTest::addColumn<int>("flag2");
        QTest::addColumn<int>("floating");
        QTest::addColumn<int>("flag4");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("language");
        // The values in memory before reading: bar style 2, floating 1, flags 7 and 8, "old", "x".
        QTest::newRow("six lines") << QStringList{" 3", " 0", " 1", " 0", "http://a.b", "italiano"}
                                   << 3 << 0 << 1 << 0 << "http://a.b" << "italiano";
        QTest::newRow("blanks around a number") << QStringList{"  3  ", "0", "0", "0", "s"}
                                                << 3 << 0 << 0 << 0 << "s" << "English";
        QTest::newRow("halves to even") << QStringList{"2.5", "3.5", "0", "0", "s"}
                                        << 2 << 4 << 0 << 0 << "s" << "English";
        QTest::newRow("out of range keeps the old value")
            << QStringList{"40000", "-40000", "1", "0", "s"} << 2 << 7 << 1 << 0 << "s" << "English";
        QTest::newRow("no number reads 0") << QStringList{"abc", "", "0", "x", "s"}
                                           << 0 << 0 << 0 << 0 << "s" << "English";
        QTest::newRow("text lines taken whole") << QStringList{"1", "0", "0", "0", "  spaced  ", " Lang "}
                                                << 1 << 0 << 0 << 0 << "  spaced  " << " Lang ";
        QTest::newRow("empty line 5") << QStringList{"1", "0", "0", "0", ""}
                                      << 1 << 0 << 0 << 0 << "" << "English";
        QTest::newRow("short file keeps what it lacks") << QStringList{"3", "9"}
                                                        << 3 << 9 << 1 << 8 << "old" << "English";
        QTest::newRow("empty file") << QStringList{} << 2 << 7 << 1 << 8 << "old" << "English";
    }
    void reads()
    {
        QFETCH(QStringList, lines);
        TempAppFolder folder;
        folder.write("Data/TamzoTravel.Opt", lines);
        ProgramState state{AppFolder(folder.root())};
        state.barStyle = 2;
        state.optionFlag2 = 7;
        state.floatingBar = 1;
        state.optionFlag4 = 8;
        state.startAddress = "old";
        state.languageName = "x";
        QVERIFY(OptionsFile::Read_Opt(state).ok());
        QTEST(int(state.barStyle), "barStyle");
        QTEST(int(state.optionFlag2), "flag2");
        QTEST(int(state.floatingBar), "floating");
        QTEST(int(state.optionFlag4), "flag4");
        QTEST(state.startAddress, "start");
        QTEST(state.languageName, "language");
    }

    void saveWritesSixLinesAndKeepsTheFlags()
    {
        TempAppFolder folder;
        folder.write("Data/TamzoTravel.Opt", {"0", "-12", "1", "345", "http://start", "English"});
        ProgramState state{AppFolder(folder.root())};
        QVERIFY(OptionsFile::Read_Opt(state).ok());
        state.barStyle = 3;
        state.languageName = "italiano";
        for (int run = 0; run < 3; ++run) {
            QVERIFY(OptionsFile::Save_Opt(state).ok());
            QVERIFY(OptionsFile::Read_Opt(state).ok());
        }
        QCOMPARE(folder.readLines("Data/TamzoTravel.Opt"),
                 (QStringList{" 3", "-12", " 1", " 345", "http://start", "italiano"}));
    }

    void failedSaveIsReported()
    {
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        const WriteResult result = OptionsFile::Save_Opt(state);
        QVERIFY(!result.ok());
        QCOMPARE(result.path(), folder.path("Data/TamzoTravel.Opt"));
    }
};

TAMZO_TEST_MAIN(tst_OptionsFile)
#include "tst_optionsfile.moc"
