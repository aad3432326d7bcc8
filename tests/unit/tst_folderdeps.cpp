#include "scriptrun.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using Files = QList<QPair<QString, QString>>;

class tst_FolderDeps : public QObject
{
    Q_OBJECT
private slots:
    // The order of folders the map of the code states: "folderdeps.py --order core,platform,...".
    void sourceTreeKeepsTheDocumentedOrder()
    {
        QFile map(TAMZO_SOURCE_DIR "/docs/ARCHITECTURE.md");
        QVERIFY(map.open(QIODevice::ReadOnly));
        const QString order = QRegularExpression("folderdeps\\.py --order ([a-z,]+)").match(QString::fromUtf8(map.readAll())).captured(1);
        QVERIFY2(!order.isEmpty(), "docs/ARCHITECTURE.md names no folder order");
        const ScriptRun run = ScriptRun::of(QStringLiteral("scripts/folderdeps.py"), {QStringLiteral("--order"), order});
        QVERIFY2(run.status == 0, qPrintable(run.output));
    }

    void plantedTree_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("reported");
        const QString low = QStringLiteral("src/low/a.h"), high = QStringLiteral("src/high/b.h");
        QTest::newRow("down, within a folder, from outside")
            << Files{{low, "#pragma once\n#include <QString>\n"},
                     {high, "#include \"low/a.h\"\n#include \"c.h\"\n"},
                     {"src/high/c.h", "// #include \"d.h\" when there is one\n"}}
            << 0 << QStringList();
        QTest::newRow("up") << Files{{low, "#pragma once\n  #  include \"high/b.h\"\n"}, {high, "\n"}} << 1
                            << QStringList{"src/low/a.h:2: includes \"high/b.h\": low may not include high"};
        QTest::newRow("each other")
            << Files{{low, "#include \"high/b.h\"\n"}, {high, "\n\n#include \"../low/a.h\"\n"}} << 1
            << QStringList{"low and high include each other: src/low/a.h:1 and src/high/b.h:3"};
        QTest::newRow("a folder the order lacks") << Files{{low, "\n"}, {"src/other/x.h", "#include \"low/a.h\"\n"}}
                                                  << 1 << QStringList{"src/other: the folder is not in the order"};
    }
    void plantedTree()
    {
        QFETCH(Files, files);
        QFETCH(int, status);
        QFETCH(QStringList, reported);
        QTemporaryDir tree;
        for (const auto &[path, text] : files) {
            QVERIFY(QDir(tree.path()).mkpath(QFileInfo(path).path()));
            QFile file(tree.filePath(path));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size());
        }
        const ScriptRun run = ScriptRun::of(QStringLiteral("scripts/folderdeps.py"),
                                            {QStringLiteral("--order"), QStringLiteral("low,high"), tree.filePath("src")});
        QVERIFY2(run.status == status, qPrintable(run.output));
        for (const QString &line : reported)
            QVERIFY2(run.output.contains(line), qPrintable(run.output));
    }
};

TAMZO_TEST_MAIN(tst_FolderDeps)
#include "tst_folderdeps.moc"
