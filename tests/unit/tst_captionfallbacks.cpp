#include "scriptrun.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString check = QStringLiteral("scripts/captionfallbacks.py");

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The line of a source file that holds the text, counted from 1.
int lineOf(const QString &path, const QByteArray &text)
{
    const QByteArray source = read(path);
    return int(source.left(source.indexOf(text)).count('\n')) + 1;
}

using Files = QList<QPair<QString, QByteArray>>;

// Two classes that name their caption constants alike, a table of captions and a helper that
// takes a number with its English; caption 1 is "One", 2 "Two", 3 "Three".
const Files plantedFiles = {
    {"src/a/state.h", "struct State\n{\n    QString caption(int number, const char *english) const;\n};\n"},
    {"src/a/first.h", "class First\n{\n    static constexpr int savedCaption = 2;\n    void saved();\n};\n"},
    {"src/a/first.cpp", "#include \"first.h\"\nvoid First::saved() { state.caption(savedCaption, \"Two\"); }\n"},
    {"src/b/second.h", "class Second\n{\npublic:\n    static constexpr int savedCaption = 3, otherCaption = 1;\n};\n"},
    {"src/b/second.cpp",
     "#include \"second.h\"\n"
     "QString line(int number, const char *english) { return state.caption(number, english); }\n"
     "struct Entry { int caption; const char *key; const char *english; };\n"
     "const Entry entries[] = {{1, \"KEY:ONE\", \"One\"}, {Second::savedCaption, \"KEY:THREE\", \"Th\" \"ree\"}};\n"
     "void shown() { line(Second::otherCaption,\n    \"One\"); }\n"},
};

} // namespace

class tst_CaptionFallbacks : public QObject
{
    Q_OBJECT
private slots:
    void programsEnglishIsItsLanguageFile()
    {
        const ScriptRun run = ScriptRun::of(check, {});
        QVERIFY2(run.status == 0, qPrintable(run.output));
    }

    // The captions 108 and 109 of the English file change places.
    void aMovedCaptionFailsWithBothTexts()
    {
        QByteArrayList lines = read(QStringLiteral(TAMZO_SOURCE_DIR "/install/Lang_English.txt")).split('\n');
        constexpr int firstCaptionLine = 19;
        lines.swapItemsAt(firstCaptionLine + 107 - 1, firstCaptionLine + 108 - 1);
        QTemporaryDir folder;
        const QString moved = folder.filePath("Lang_English.txt");
        QVERIFY(write(moved, lines.join('\n')));

        const ScriptRun run = ScriptRun::of(check, {QStringLiteral("--language"), moved});
        QCOMPARE(run.status, 1);
        const QString exports = QStringLiteral("src/export/exportsupport.cpp");
        const int line = lineOf(QStringLiteral(TAMZO_SOURCE_DIR "/") + exports, "\"File saved: \"");
        const QString expected = exports % u':' % QString::number(line) %
                                 u": caption 108 is \"These files could not be saved:\" in " % moved %
                                 u":126, the code's English is \"File saved: \"";
        QVERIFY2(run.output.contains(expected), qPrintable(run.output));
    }

    void plantedCode_data()
    {
        QTest::addColumn<QByteArray>("captions");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("reported");
        QTest::newRow("each class its own constant") << QByteArray("\"One\"\r\n\"Two\"\r\n\"Three\"\r\n") << 0
                                                     << QStringList();
        QTest::newRow("two and three swapped")
            << QByteArray("\"One\"\r\n\"Three\"\r\n\"Two\"\r\n") << 1
            << QStringList{"src/a/first.cpp:2: caption 2 is \"Three\"", "src/b/second.cpp:4: caption 3 is \"Two\""};
        QTest::newRow("a caption the file lacks") << QByteArray("\"One\"\r\n\"Two\"\r\n") << 1
                                                  << QStringList{"src/b/second.cpp:4: caption 3 is not in"};
    }
    void plantedCode()
    {
        QFETCH(QByteArray, captions);
        QFETCH(int, status);
        QFETCH(QStringList, reported);
        QTemporaryDir tree;
        for (const auto &[path, text] : plantedFiles)
            QVERIFY(write(tree.filePath(path), text));
        QVERIFY(write(tree.filePath("Lang_English.txt"), "[Settings]\r\nLANG=English\r\n[Captions]\r\n" + captions));

        const ScriptRun run = ScriptRun::of(check, {QStringLiteral("--source"), tree.filePath("src"),
                                                    QStringLiteral("--language"), tree.filePath("Lang_English.txt")});
        QVERIFY2(run.status == status, qPrintable(run.output));
        QVERIFY2(run.output.contains(QStringLiteral("4 English texts checked")), qPrintable(run.output));
        for (const QString &line : reported)
            QVERIFY2(run.output.contains(line), qPrintable(run.output));
    }
};

TAMZO_TEST_MAIN(tst_CaptionFallbacks)
#include "tst_captionfallbacks.moc"
