#include "scriptrun.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

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

// Two classes that name their caption constants alike, a table of captions and a helper that
// takes a number with its English: caption 1 is "One", 2 "Two", 3 "Three".
const QList<QPair<QString, QByteArray>> plantedCode = {
    {"a/state.h", "struct State\n{\n    QString caption(int number, const char *english) const;\n};\n"},
    {"a/first.h", "class First\n{\n    static constexpr int savedCaption = 2;\n    void saved();\n};\n"},
    {"a/first.cpp", "#include \"first.h\"\nvoid First::saved() { state.caption(savedCaption, \"Two\"); }\n"},
    {"b/second.h", "class Second\n{\npublic:\n    static constexpr int savedCaption = 3, otherCaption = 1;\n};\n"},
    {"b/second.cpp",
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
    // Empty captions: the delivered English file; "moved": the captions 108 and 109 of that file
    // change places; otherwise the captions of the planted code.
    void englishTextsAreTheirCaptions_data()
    {
        QTest::addColumn<QByteArray>("captions");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("reported");
        const QString exports = "src/export/exportsupport.cpp:";
        const QByteArray source = read(TAMZO_SOURCE_DIR "/" + exports.chopped(1));
        const int line = int(source.left(source.indexOf("\"File saved: \"")).count('\n')) + 1;
        QTest::newRow("the program's") << QByteArray() << 0 << QStringList();
        QTest::newRow("the program's, one moved")
            << QByteArray("moved") << 1
            << QStringList{exports + QString::number(line) + ": caption 108 is \"These files could not be saved:\" in ",
                           "Lang_English.txt:126, the code's English is \"File saved: \""};
        QTest::newRow("planted") << QByteArray("\"One\"\r\n\"Two\"\r\n\"Three\"\r\n") << 0
                                 << QStringList{"4 English texts checked, 0 faults"};
        QTest::newRow("planted, two swapped")
            << QByteArray("\"One\"\r\n\"Three\"\r\n\"Two\"\r\n") << 1
            << QStringList{"src/a/first.cpp:2: caption 2 is \"Three\"", "src/b/second.cpp:4: caption 3 is \"Two\""};
        QTest::newRow("planted, one missing") << QByteArray("\"One\"\r\n\"Two\"\r\n") << 1
                                              << QStringList{"src/b/second.cpp:4: caption 3 is not in"};
    }
    void englishTextsAreTheirCaptions()
    {
        QFETCH(QByteArray, captions);
        QFETCH(int, status);
        QFETCH(QStringList, reported);
        QTemporaryDir folder;
        const QString language = folder.filePath("Lang_English.txt");
        QStringList arguments{"--language", language};
        if (captions.isEmpty()) {
            arguments.clear();
        } else if (captions == "moved") {
            QByteArrayList lines = read(TAMZO_SOURCE_DIR "/install/Lang_English.txt").split('\n');
            lines.swapItemsAt(108 + 17, 109 + 17);
            QVERIFY(write(language, lines.join('\n')));
        } else {
            for (const auto &[path, text] : plantedCode)
                QVERIFY(write(folder.filePath("src/" + path), text));
            QVERIFY(write(language, "[Settings]\r\nLANG=English\r\n[Captions]\r\n" + captions));
            arguments << "--source" << folder.filePath("src");
        }
        const ScriptRun run = ScriptRun::of("scripts/captionfallbacks.py", arguments);
        QVERIFY2(run.status == status, qPrintable(run.output));
        for (const QString &text : reported)
            QVERIFY2(run.output.contains(text), qPrintable(run.output));
    }
};

TAMZO_TEST_MAIN(tst_CaptionFallbacks)
#include "tst_captionfallbacks.moc"
