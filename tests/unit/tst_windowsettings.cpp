#include "core/programstate.h"
#include "settings/windowsettings.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QTest>

class tst_WindowSettings : public QObject
{
    Q_OBJECT
private:
    static constexpr double screenWidth = 28800, screenHeight = 16200;

    static void preset(ProgramState &state)
    {
        state.mainTop = state.mainLeft = 111;
        state.mainHeight = state.mainWidth = 222;
        state.mainFullScreen = 7;
        state.linkTableTop = state.gridEditorWidth = 7;
    }

private slots:
    void reads_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("main"); // top, left, height, width, full screen
        QTest::addColumn<double>("linkTableTop");
        QTest::addColumn<double>("gridEditorWidth");
        const QStringList rest = {" 10.5", " 20", " 30", " 40", " 50", " 60", " 70", " 80.25", " 0"};
        QTest::newRow("no file") << false << QStringList{} << QList<int>{0, 0, 16200, 28800, 7} << 7.0 << 7.0;
        QTest::newRow("plain") << true << (QStringList{" 100", " 200", " 9000", " 12000"} + rest)
                               << QList<int>{100, 200, 9000, 12000, 0} << 10.5 << 80.25;
        QTest::newRow("negative top and left") << true << (QStringList{"-300", "-1", " 9000", " 12000"} + rest)
                                               << QList<int>{0, 0, 9000, 12000, 0} << 10.5 << 80.25;
        QTest::newRow("height 1999 and width 2999") << true << (QStringList{" 0", " 0", " 1999", " 2999"} + rest)
                                                    << QList<int>{0, 0, 16200, 28800, 0} << 10.5 << 80.25;
        QTest::newRow("height 2000 and width 3000") << true << (QStringList{" 0", " 0", " 2000", " 3000"} + rest)
                                                    << QList<int>{0, 0, 2000, 3000, 0} << 10.5 << 80.25;
        QTest::newRow("saved at 1500 high") << true << (QStringList{" 0", " 0", " 1500", " 9000"} + rest)
                                            << QList<int>{0, 0, 16200, 9000, 0} << 10.5 << 80.25;
        QTest::newRow("fractions rounded to even") << true << (QStringList{" 10.5", " 11.5", " 2000.5", " 3001.5"} + rest)
                                                   << QList<int>{10, 12, 2000, 3002, 0} << 10.5 << 80.25;
        QTest::newRow("blanks and text around") << true << (QStringList{"  5  ", "6 twips", " 9000", " 12000"} + rest)
                                                << QList<int>{5, 6, 9000, 12000, 0} << 10.5 << 80.25;
        QTest::newRow("a 4K screen") << true << (QStringList{" 0", " 0", " 32400", " 57600"} + rest)
                                     << QList<int>{0, 0, 32400, 57600, 0} << 10.5 << 80.25;
        QTest::newRow("full screen") << true
                                     << (QStringList{" 1", " 2", " 9000", " 12000"} + rest.mid(0, 8) + QStringList{" 2"})
                                     << QList<int>{1, 2, 9000, 12000, 2} << 10.5 << 80.25;
        QTest::newRow("flag out of range kept") << true
                                                << (QStringList{" 1", " 2", " 9000", " 12000"} + rest.mid(0, 8) +
                                                    QStringList{" 99999"})
                                                << QList<int>{1, 2, 9000, 12000, 7} << 10.5 << 80.25;
        QTest::newRow("no numbers") << true << QStringList(13, "x") << QList<int>{0, 0, 16200, 28800, 0} << 0.0 << 0.0;
        QTest::newRow("short file") << true << QStringList{" 100", " 200", " 9000"}
                                    << QList<int>{100, 200, 9000, 28800, 7} << 7.0 << 7.0;
        QTest::newRow("empty file") << true << QStringList{} << QList<int>{111, 111, 16200, 28800, 7} << 7.0 << 7.0;
    }
    void reads()
    {
        QFETCH(bool, exists);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, main);
        TempAppFolder folder;
        if (exists)
            folder.write("Data/TamzoTravel.Ini", lines);
        ProgramState state{AppFolder(folder.root())};
        preset(state);
        WindowSettings::Read_Ini(state, QSizeF(screenWidth, screenHeight));
        QCOMPARE((QList<int>{state.mainTop, state.mainLeft, state.mainHeight, state.mainWidth, state.mainFullScreen}),
                 main);
        QTEST(state.linkTableTop, "linkTableTop");
        QTEST(state.gridEditorWidth, "gridEditorWidth");
    }

    void writes_data()
    {
        QTest::addColumn<QRectF>("window");
        QTest::addColumn<QStringList>("firstLines");
        QTest::newRow("as it is") << QRectF(300, 150, 12000, 9000) << QStringList{" 150", " 300", " 9000", " 12000"};
        QTest::newRow("above and left of the screen") << QRectF(-45, -30, 12000, 9000)
                                                      << QStringList{" 0", " 0", " 9000", " 12000"};
        QTest::newRow("small") << QRectF(0, 0, 1500, 900) << QStringList{" 0", " 0", " 1000", " 2000"};
        QTest::newRow("just above the thresholds") << QRectF(0, 0, 2001, 1001)
                                                   << QStringList{" 0", " 0", " 1001", " 2001"};
        QTest::newRow("a 4K screen") << QRectF(0, 0, 57600, 32400) << QStringList{" 0", " 0", " 32400", " 57600"};
    }
    void writes()
    {
        QFETCH(QRectF, window);
        QFETCH(QStringList, firstLines);
        TempAppFolder folder;
        folder.write("Data/keep", {});
        ProgramState state{AppFolder(folder.root())};
        state.linkTableTop = -12.5;
        state.linkTableWidth = 4000;
        state.gridEditorWidth = 0.25;
        state.mainFullScreen = 5;
        QVERIFY(WindowSettings::Save_Ini(state, window).ok());
        const QStringList lines = folder.readLines("Data/TamzoTravel.Ini");
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.mid(0, 4), firstLines);
        QCOMPARE(lines.mid(4), (QStringList{"-12.5", " 0", " 0", " 4000", " 0", " 0", " 0", " 0.25", " 5"}));
        for (const QString &line : lines)
            QVERIFY2(line.startsWith(' ') || line.startsWith('-'), qPrintable(line));

        ProgramState again{AppFolder(folder.root())};
        WindowSettings::Read_Ini(again, QSizeF(screenWidth, screenHeight));
        QCOMPARE(again.linkTableTop, -12.5);
        QCOMPARE(again.gridEditorWidth, 0.25);
        QCOMPARE(again.mainFullScreen, qint16(5));
        if (window.width() > 3000 && window.height() > 2000)
            QCOMPARE(QRectF(again.mainLeft, again.mainTop, again.mainWidth, again.mainHeight),
                     QRectF(std::max(0.0, window.left()), std::max(0.0, window.top()), window.width(), window.height()));
    }

    void noDataFolderIsReported()
    {
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        const WriteResult result = WindowSettings::Save_Ini(state, QRectF(0, 0, 9000, 9000));
        QVERIFY(!result.ok());
        QCOMPARE(result.path(), folder.path("Data/TamzoTravel.Ini"));
    }
};

TAMZO_TEST_MAIN(tst_WindowSettings)
#include "tst_windowsettings.moc"
