#include "core/appfolder.h"
#include "core/textfile.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

class tst_TextFile : public QObject
{
    Q_OBJECT
private slots:
    void readsLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("mixed, no final end") << QByteArray("a\r\nb\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9\r\n") << QStringList{QString::fromUtf8("café")};
        QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80\x96\r\n")
                                      << QStringList{QString::fromUtf8("café €–")};
        QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf\"one\"\r\ntwo\r\n") << QStringList{"\"one\"", "two"};
        QTest::newRow("byte-order mark, Windows-1252 line")
            << QByteArray("\xef\xbb\xbf\xe9\r\n") << QStringList{QString::fromUtf8("é")};
        QTest::newRow("byte-order mark alone") << QByteArray("\xef\xbb\xbf") << QStringList{};
        QTest::newRow("stray CR inside a line") << QByteArray("Eng\rlish\r\r\n\r") << QStringList{"English", ""};
        QTest::newRow("Unicode line separators") << QByteArray("a\xe2\x80\xa8" "b\xe2\x80\xa9\r\n") << QStringList{"ab"};
        QTest::newRow("byte-order marks starting later lines")
            << QByteArray("a\r\n\xef\xbb\xbf\xef\xbb\xbf" "b\r\n\r\xef\xbb\xbf\r\n") << QStringList{"a", "b", ""};
        QTest::newRow("byte-order mark inside a line") << QByteArray(" \xef\xbb\xbf" "a\xef\xbb\xbf" "b") << QStringList{" ab"};
        QTest::newRow("one line of each") << QByteArray("\xc3\xa9\r\n\xe9\r\n")
                                          << QStringList{QString::fromUtf8("é"), QString::fromUtf8("é")};
    }
    void readsLineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        TempAppFolder folder;
        folder.writeBytes("f.txt", bytes);
        const auto read = TextFile::readLines(folder.path("f.txt"));
        QVERIFY(read.has_value());
        QCOMPARE(*read, lines);
    }

    void missingFileReadsAsNothing()
    {
        TempAppFolder folder;
        QVERIFY(!TextFile::readLines(folder.path("none.txt")).has_value());
    }

    void writesCrLfInUtf8()
    {
        TempAppFolder folder;
        QVERIFY(TextFile::writeLines(folder.path("f.txt"), {"one", QString::fromUtf8("dué"), ""}).ok());
        QCOMPARE(folder.readBytes("f.txt"), QByteArray("one\r\ndu\xc3\xa9\r\n\r\n"));
        QVERIFY(TextFile::appendLine(folder.path("f.txt"), "more").ok());
        QCOMPARE(folder.readBytes("f.txt"), QByteArray("one\r\ndu\xc3\xa9\r\n\r\nmore\r\n"));
    }

    void failedRewriteKeepsTheOldFile()
    {
        TempAppFolder folder;
        folder.write("Data/keep.txt", {"old"});
        // A folder where the temporary file would go makes the write fail.
        QVERIFY(QDir(folder.root()).rmdir("Data") == false);
        const WriteResult intoFolder = TextFile::writeLines(folder.path("Data"), {"new"});
        QVERIFY(!intoFolder.ok());
        QCOMPARE(intoFolder.path(), folder.path("Data"));
        QVERIFY(!intoFolder.reason().isEmpty());
        QVERIFY(intoFolder.message().contains(folder.path("Data")));
        const WriteResult noFolder = TextFile::writeLines(folder.path("Missing/x.txt"), {"new"});
        QVERIFY(!noFolder.ok());
        QCOMPARE(folder.readLines("Data/keep.txt"), QStringList{"old"});
    }

    void namesResolveWithoutRegardToCase_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("exact") << QStringList{"Data/TamzoTravel.Hys"} << "\\Data\\TamzoTravel.Hys"
                               << "Data/TamzoTravel.Hys";
        QTest::newRow("other case") << QStringList{"Data/TamzoTravel.Hys"} << "\\Data\\TamzoTravel.hys"
                                    << "Data/TamzoTravel.Hys";
        QTest::newRow("folder in other case") << QStringList{"Links/links.Bok"} << "\\LINKS\\Links.Bok"
                                              << "Links/links.Bok";
        QTest::newRow("missing keeps the name") << QStringList{"Data/x"} << "\\Data\\New.Txt"
                                                << "Data/New.Txt";
        QTest::newRow("missing folder") << QStringList{} << "\\Data\\TamzoTravel.Opt" << "Data/TamzoTravel.Opt";
        QTest::newRow("exact match wins") << QStringList{"doc.txt", "Doc.Txt"} << "\\Doc.Txt" << "Doc.Txt";
        QTest::newRow("forward slashes") << QStringList{"Images/a.bmp"} << "/images/A.BMP" << "Images/a.bmp";
    }
    void namesResolveWithoutRegardToCase()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, asked);
        QFETCH(QString, resolved);
        TempAppFolder folder;
        for (const QString &name : existing)
            folder.write(name, {});
        QCOMPARE(AppFolder(folder.root()).path(asked), folder.path(resolved));
    }
};

TAMZO_TEST_MAIN(tst_TextFile)
#include "tst_textfile.moc"
