#include "core/programstate.h"
#include "linktables/linkindex.h"
#include "linktables/linktable.h"
#include "linktables/linktablefile.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

// The index and table files on a temporary application folder, as the link-table window uses them.
class tst_LinkTables : public QObject
{
    Q_OBJECT
private:
    static constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    struct Tables
    {
        Tables()
        {
            state.captions[34] = "Table";
            state.todayDate = "2026-12-08";
        }
        // Writes the index, loads it and makes the table current.
        void index(const QStringList &lines, int table = 0)
        {
            folder.write("Links/Links.Bok", lines);
            QVERIFY(LinkIndex::Load_Index(state).ok());
            LinkIndex::selectTable(state, table);
        }
        QStringList indexLines() const { return folder.readLines("Links/Links.Bok"); }
        QString line(int entry) const { return indexLines().value(entry - 1); }
        QFileDevice::Permissions permissions(const QString &relative) const
        {
            return QFileInfo(folder.path(relative)).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup |
                                                                     QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                     QFileDevice::WriteGroup | QFileDevice::WriteOther);
        }

        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
    };

    static QString row(const QString &title, const QString &secret)
    {
        return QStringList{title, "http://a/", "note", secret, "typed", "2026-01-02"}.join(";-;");
    }
    static QStringList titles(const LinkTable &table)
    {
        QStringList result;
        for (int r = 1; r <= table.rowCount(); ++r)
            result << table.row(r)[LinkRow::Title];
        return result;
    }

private slots:
    void defaultIndexIsCreated()
    {
        Tables t;
        QVERIFY(LinkIndex::Load_Index(t.state).ok());
        const QStringList lines = t.indexLines();
        QCOMPARE(lines.size(), 150);
        QCOMPARE(lines.first(), QString("Table 1,0"));
        QCOMPARE(lines.last(), QString("Table 150,0"));
        QCOMPARE(t.state.linkIndex[7].title, QString("Table 7"));
        QCOMPARE(t.state.linkIndex[7].count, QString("0"));
        QCOMPARE(t.state.linkFileStem, t.folder.path("Links/Links."));
        QCOMPARE(t.permissions("Links/Links.Bok"), ownerOnly);
        QCOMPARE(QFileInfo(t.folder.path("Links")).permissions() & QFileDevice::ReadOther, QFileDevice::Permissions());

        // Every table of a new index opens empty.
        LinkIndex::selectTable(t.state, 104);
        LinkTable table(t.state);
        table.Read_Table();
        QCOMPARE(table.rowCount(), 0);
    }

    void indexLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("written");
        QTest::newRow("blank before the count") << "News, 5" << "News" << 5 << "News,5";
        QTest::newRow("plain") << "News,5" << "News" << 5 << "News,5";
        QTest::newRow("blanks around the line") << "  My links ,3  " << "  My links " << 3 << "  My links ,3";
        QTest::newRow("no comma") << "Lonely" << "Lonely" << 0 << "Lonely,0";
        QTest::newRow("count not a number") << "Odd,many" << "Odd" << 0 << "Odd,0";
        QTest::newRow("negative count") << "Neg,-4" << "Neg" << 0 << "Neg,0";
        QTest::newRow("count beyond 16 bits") << "Huge,99999" << "Huge" << 32767 << "Huge,32767";
        QTest::newRow("more pieces ignored") << "A,2,b,c" << "A" << 2 << "A,2";
        QTest::newRow("empty title") << ",1" << "" << 1 << ",1";
        QTest::newRow("empty line") << "" << "" << 0 << ",0";
    }
    void indexLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, title);
        QFETCH(int, count);
        QFETCH(QString, written);
        Tables t;
        t.index({"First,0", line, "Third,0"});
        QCOMPARE(t.state.linkIndex[2].title, title);
        QCOMPARE(LinkIndex::count(t.state, 2), count);
        QVERIFY(LinkIndex::Save_Title(t.state).ok());
        QCOMPARE(t.line(2), written);
        QCOMPARE(t.indexLines().size(), 150);
        // The entries the file did not reach are written with no rows.
        QVERIFY(t.line(150).endsWith(",0"));
    }

    void indexLongerThanItsEntries()
    {
        Tables t;
        QStringList lines;
        for (int i = 1; i <= 170; ++i)
            lines << QString("Line %1,%2").arg(i).arg(i % 3);
        t.index(lines);
        QCOMPARE(t.state.linkIndex[150].title, QString("Line 150"));
        for (int slot = 151; slot < ProgramState::linkIndexSlots; ++slot)
            QVERIFY(t.state.linkIndex[slot].title.isEmpty());
        QVERIFY(LinkIndex::Save_Title(t.state).ok());
        QCOMPARE(t.indexLines().size(), 150);
    }

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

    void deliveredFileNamesMatchWithoutCase()
    {
        Tables t;
        t.folder.write("Links/links.bok", {"Mixed case, 1"});
        t.folder.write("Links/links.003", {row("Kept", "")});
        QVERIFY(LinkIndex::Load_Index(t.state).ok());
        QCOMPARE(t.state.linkIndex[1].title, QString("Mixed case"));
        QVERIFY(!t.folder.exists("Links/Links.Bok"));
        LinkIndex::selectTable(t.state, 3);
        QCOMPARE(t.state.currentTableFile, t.folder.path("Links/links.003"));
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

    void refusedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("title");
        QTest::addColumn<bool>("field");
        QTest::newRow("plain") << "Plain text" << true << true;
        QTest::newRow("comma") << "One, two" << false << true;
        QTest::newRow("separator") << "a;-;b" << true << false;
        QTest::newRow("near separator") << "a;- ;b" << true << true;
        QTest::newRow("ends like a separator") << "ab;-" << true << false;
        QTest::newRow("line feed") << "a\nb" << false << false;
        QTest::newRow("carriage return") << "a\rb" << false << false;
    }
    void refusedText()
    {
        QFETCH(QString, text);
        QFETCH(bool, title);
        QFETCH(bool, field);
        QCOMPARE(LinkIndex::storableTitle(text), title);
        QCOMPARE(LinkTableFile::storable(text), field);
        // Whatever the page gives becomes text a table file keeps.
        QVERIFY(LinkTableFile::storable(LinkTableFile::textFromPage(text)));
        QVERIFY(LinkTableFile::storable(LinkTableFile::addressFromPage(text)));
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

    void emptyTablesTakeTheLanguagesName()
    {
        Tables t;
        // At start-up the captions come first: the file's titles win.
        LinkIndex::nameEmptyTables(t.state);
        t.index({"Renamed,0", "Busy,2", "Empty named,0"});
        QCOMPARE(t.state.linkIndex[1].title, QString("Renamed"));
        QCOMPARE(t.state.linkIndex[4].title, QString("Table 4"));

        // After a change of language every empty table takes the new default name.
        t.state.captions[34] = "Tabella";
        LinkIndex::nameEmptyTables(t.state);
        QCOMPARE(t.state.linkIndex[1].title, QString("Tabella 1"));
        QCOMPARE(t.state.linkIndex[2].title, QString("Busy"));
        QCOMPARE(t.state.linkIndex[3].title, QString("Tabella 3"));
        QCOMPARE(t.state.linkIndex[150].title, QString("Tabella 150"));
        QVERIFY(LinkIndex::Save_Title(t.state).ok());
        QCOMPARE(t.indexLines().mid(0, 3), (QStringList{"Tabella 1,0", "Busy,2", "Tabella 3,0"}));
    }

    void pendingTitleIsStored()
    {
        Tables t;
        t.index({"Old,0", "Second,0"}, 1);
        t.state.pendingTitle = "Fresh";
        t.state.titleEditing = 1;
        QVERIFY(LinkIndex::Save_Title(t.state).ok());
        QCOMPARE(t.state.linkIndex[2].title, QString("Fresh"));
        QVERIFY(t.state.pendingTitle.isEmpty());
        QCOMPARE(t.state.titleEditing, 0);
        QCOMPARE(t.line(2), QString("Fresh,0"));
    }
};

TAMZO_TEST_MAIN(tst_LinkTables)
#include "tst_linktables.moc"
