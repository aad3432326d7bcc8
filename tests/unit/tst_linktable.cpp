#include "linktables/linkindex.h"
#include "linktables/linktable.h"
#include "linktables/linktablefile.h"
#include "linkfolder.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace LinkFolder;

// A link table read, changed and saved in its file.
class tst_LinkTable : public QObject
{
    Q_OBJECT
private:
    static QStringList titles(const LinkTable &table)
    {
        QStringList result;
        for (int r = 1; r <= table.rowCount(); ++r)
            result << table.row(r)[LinkRow::Title];
        return result;
    }

private slots:
    void tableFiles_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("file");
        QTest::newRow("0") << 0 << "Links/Links.000";
        QTest::newRow("7") << 7 << "Links/Links.007";
        QTest::newRow("12") << 12 << "Links/Links.012";
        QTest::newRow("104") << 104 << "Links/Links.104";
    }
    void tableFiles()
    {
        QFETCH(int, table);
        QFETCH(QString, file);
        Tables t;
        t.index({}, table);
        QCOMPARE(t.state.currentTable, table);
        QCOMPARE(t.state.currentTableFile, t.folder.path(file));
        t.state.linkIndex[table + 1].count = "1";
        LinkTable links(t.state);
        links.Read_Table();
        links.setRow(1, *LinkTableFile::parseLine(row("Mine", "")));
        QVERIFY(links.Save_Table().ok());
        QCOMPARE(t.folder.readLines(file), QStringList{row("Mine", "")});
    }

    void saveSortsByTitleWithSecrets()
    {
        Tables t;
        t.index({"Mixed,5"});
        t.folder.write("Links/Links.000", {row("beta", "b-secret"), row("Alpha", "a-secret"), row("", "lost"),
                                           row("apple", "p-secret"), row("Banana", "n-secret")});
        LinkTable table(t.state);
        table.Read_Table();
        QVERIFY(table.Save_Table().ok());
        // Capitals first: "Banana" before "apple".
        QCOMPARE(t.folder.readLines("Links/Links.000"),
                 (QStringList{row("Alpha", "a-secret"), row("Banana", "n-secret"), row("apple", "p-secret"),
                              row("beta", "b-secret")}));
        QCOMPARE(t.line(1), QString("Mixed,4"));
        QCOMPARE(t.state.tableModified, 0);
        QCOMPARE(t.permissions("Links/Links.000"), ownerOnly);
    }

    void countAndLines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("saved");
        QTest::addColumn<QString>("indexLine");
        const QString a = row("A", "1"), b = row("B", "2"), c = row("C", "3");
        QTest::newRow("count 3, two lines") << 3 << QStringList{a, b} << QStringList{"A", "B", ""}
                                            << QStringList{a, b} << "T,2";
        QTest::newRow("short line left blank") << 3 << QStringList{a, "A;-;half", c} << QStringList{"A", "", "C"}
                                               << QStringList{a, c} << "T,2";
        QTest::newRow("index recreated with 0") << 0 << QStringList{c, a, b} << QStringList{"C", "A", "B"}
                                                << QStringList{a, b, c} << "T,3";
        QTest::newRow("count 1 of 3 lines") << 1 << QStringList{b, "broken", a} << QStringList{"B", "A"}
                                            << QStringList{a, b} << "T,2";
        QTest::newRow("missing file") << 2 << QStringList{} << QStringList{"", ""} << QStringList{} << "T,0";
    }
    void countAndLines()
    {
        QFETCH(int, count);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, saved);
        QFETCH(QString, indexLine);
        Tables t;
        t.index({QString("T,%1").arg(count)});
        if (!lines.isEmpty())
            t.folder.write("Links/Links.000", lines);
        LinkTable table(t.state);
        table.Read_Table();
        QCOMPARE(titles(table), shown);
        QVERIFY(table.Save_Table().ok());
        QCOMPARE(t.folder.readLines("Links/Links.000"), saved);
        QCOMPARE(t.line(1), indexLine);
        // What was saved reads back as saved.
        table.Read_Table();
        QCOMPARE(table.rowCount(), saved.size());
    }

    void addsThePageShown_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("storedLine");
        QTest::newRow("a page") << "News" << "http://n/" << "n" << true << "News;-;http://n/;-;;-;;-;n;-;2026-12-08";
        QTest::newRow("no title") << "" << "http://n/" << "n" << false << "";
        QTest::newRow("title already there") << "Kept" << "http://other/" << "o" << false << "";
        QTest::newRow("150 typed characters") << "Long" << "http://l/" << QString(150, 'x') << true
                                              << "Long;-;http://l/;-;;-;;-;" + QString(100, 'x') + "..;-;2026-12-08";
        QTest::newRow("line breaks and separators")
            << "Two\r\nlines ;-; here;-" << "http://s/a;-;b;-" << "typed;-;-;text\n" << true
            << "Two  lines ; -; here; -;-;http://s/a%3B-%3Bb%3B-;-;;-;;-;typed; -; -;text ;-;2026-12-08";
    }
    void addsThePageShown()
    {
        QFETCH(QString, title);
        QFETCH(QString, address);
        QFETCH(QString, typed);
        QFETCH(bool, added);
        QFETCH(QString, storedLine);
        Tables t;
        t.index({"T, 1"});
        t.folder.write("Links/Links.000", {row("Kept", "k")});
        LinkTable table(t.state);
        table.Read_Table();
        QCOMPARE(table.ADD_Tab(title, address, typed), added);
        QCOMPARE(table.rowCount(), added ? 2 : 1);
        QCOMPARE(t.state.linkIndex[1].count, added ? QString(" 2") : QString("1"));
        QVERIFY(table.Save_Table().ok());
        // The count the add command computed is written with its blank and read back without it.
        QCOMPARE(t.line(1), added ? QString("T, 2") : QString("T,1"));
        QVERIFY(LinkIndex::Load_Index(t.state).ok());
        QCOMPARE(t.state.linkIndex[1].count, added ? QString("2") : QString("1"));
        table.Read_Table();
        if (added) {
            QVERIFY(t.folder.readLines("Links/Links.000").contains(storedLine));
            QCOMPARE(table.rowCount(), 2);
            QVERIFY(titles(table).contains(LinkTableFile::parseLine(storedLine)->fields[0]));
        }
    }

    void ownerOnlyWhateverWasThere()
    {
        Tables t;
        t.index({"T,1"});
        t.folder.write("Links/Links.000", {row("A", "secret")});
        for (const char *file : {"Links/Links.Bok", "Links/Links.000"})
            QFile::setPermissions(t.folder.path(file), ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        LinkTable table(t.state);
        table.Read_Table();
        QVERIFY(table.Save_Table().ok());
        QCOMPARE(t.permissions("Links/Links.Bok"), ownerOnly);
        QCOMPARE(t.permissions("Links/Links.000"), ownerOnly);
    }

    void failedSaveKeepsEverything()
    {
        Tables t;
        t.index({"T,1"});
        // A folder where the table's file should be: the file cannot be written.
        QDir().mkpath(t.folder.path("Links/Links.000"));
        LinkTable table(t.state);
        table.Read_Table();
        QVERIFY(table.ADD_Tab("New", "http://n/", "n"));
        t.state.tableModified = 1;
        const WriteResult saved = table.Save_Table();
        QVERIFY(!saved.ok());
        QCOMPARE(saved.path(), t.folder.path("Links/Links.000"));
        QCOMPARE(t.state.tableModified, 1);
        QCOMPARE(t.indexLines(), QStringList{"T,1"});
        QCOMPARE(t.state.linkIndex[1].count, QString("1"));
        QCOMPARE(table.rowCount(), 2);
    }
};

TAMZO_TEST_MAIN(tst_LinkTable)
#include "tst_linktable.moc"
