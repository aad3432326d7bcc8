#include "export/exportnames.h"
#include "export/filereplacement.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_ExportNames : public QObject
{
    Q_OBJECT

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void suggestedNameKeepsLettersAndDigitsOfTheTitlesStart_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("untitled");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("punctuation") << "Hello, World! 2010" << ".doc" << "" << "HelloWorld2010.doc";
        QTest::newRow("pdf") << "Hello, World! 2010" << ".pdf" << "" << "HelloWorld2010.pdf";
        QTest::newRow("30 letters") << "abcdefghijklmnopqrstuvwxyzABCD" << ".doc" << "" << "abcdefghijklmnopqrstuv.doc";
        QTest::newRow("cut before dropping") << "a b c d e f g h i j k l m n" << ".xls" << "" << "abcdefghijk.xls";
        QTest::newRow("accents and symbols") << "Città € 3½ ünï" << ".doc" << "" << "Citt3n.doc";
        QTest::newRow("empty word title") << "" << ".doc" << "" << ".doc";
        QTest::newRow("empty workbook title") << "" << ".xls" << "ExcelDocument" << "ExcelDocument.xls";
        QTest::newRow("nothing kept") << "!!! ???" << ".ppt" << "PPTDocument" << "PPTDocument.ppt";
        QTest::newRow("path characters") << "../../etc/passwd" << ".doc" << "" << "etcpasswd.doc";
    }
    void suggestedNameKeepsLettersAndDigitsOfTheTitlesStart()
    {
        QFETCH(QString, title);
        QFETCH(QString, extension);
        QFETCH(QString, untitled);
        QFETCH(QString, suggested);
        QCOMPARE(ExportNames::suggested(title, extension, untitled), suggested);
    }

    void wordCopyReplacesTheExtensionOfTheFileName_data()
    {
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("word");
        QTest::newRow("plain") << "/out/page.pdf" << "/out/page.doc";
        QTest::newRow("dotted folder") << "/home/a.b/v1.2/page.pdf" << "/home/a.b/v1.2/page.doc";
        QTest::newRow("dotted name") << "/out/page.v2.pdf" << "/out/page.v2.doc";
        QTest::newRow("no extension") << "/out.d/page" << "/out.d/page.doc";
        QTest::newRow("upper case") << "/out/PAGE.PDF" << "/out/PAGE.doc";
        QTest::newRow("pdf named as its copy") << "/out/x.doc" << "/out/x-Word.doc";
    }
    void wordCopyReplacesTheExtensionOfTheFileName()
    {
        QFETCH(QString, pdf);
        QFETCH(QString, word);
        QCOMPARE(ExportNames::wordCopy(pdf), word);
    }

    void capturesTakeTheFirstFreeNumber_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("taken");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << QList<int>{} << "Tamzo000.bmp";
        QTest::newRow("eleventh") << 10 << QList<int>{} << "Tamzo010.bmp";
        QTest::newRow("earlier run") << 0 << QList<int>{0} << "Tamzo001.bmp";
        QTest::newRow("gap") << 0 << QList<int>{0, 1, 3} << "Tamzo002.bmp";
        QTest::newRow("three digits") << 123 << QList<int>{} << "Tamzo123.bmp";
        QTest::newRow("past 999") << 999 << QList<int>{999} << "Tamzo1000.bmp";
    }
    void capturesTakeTheFirstFreeNumber()
    {
        QFETCH(int, from);
        QFETCH(QList<int>, taken);
        QFETCH(QString, name);
        QCOMPARE(ExportNames::capture(ExportNames::freeCapture(from, [&](int n) { return taken.contains(n); })), name);
    }

    void replacementPutsTheFileInPlaceOnlyWhenWritten_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<bool>("placed");
        QTest::newRow("complete") << QByteArray("new document") << true;
        QTest::newRow("nothing written") << QByteArray() << false;
    }
    void replacementPutsTheFileInPlaceOnlyWhenWritten()
    {
        QFETCH(QByteArray, written);
        QFETCH(bool, placed);
        QTemporaryDir folder;
        const QString path = folder.filePath("book.xls");
        writeFile(path, "old document");
        {
            FileReplacement file(path);
            QVERIFY(file.prepare().ok());
            QCOMPARE(QFileInfo(file.temporaryPath()).absolutePath(), folder.path());
            QVERIFY(file.temporaryPath() != path);
            writeFile(file.temporaryPath(), written);
            const WriteResult result = file.commit();
            QCOMPARE(result.ok(), placed);
            if (!placed)
                QCOMPARE(result.path(), path);
        }
        QCOMPARE(readFile(path), placed ? written : QByteArray("old document"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"book.xls"});
    }

    void replacementInAFolderThatCannotBeWrittenNamesTheFile()
    {
        FileReplacement file("/proc/no-such-folder/page.doc");
        const WriteResult result = file.prepare();
        QVERIFY(!result.ok());
        QCOMPARE(result.path(), QString("/proc/no-such-folder/page.doc"));
        QVERIFY(!result.reason().isEmpty());
    }
};

TAMZO_TEST_MAIN(tst_ExportNames)
#include "tst_exportnames.moc"
