#include "linktables/linkindex.h"
#include "linktables/linktable.h"
#include "linkfolder.h"
#include "testmain.h"

#include <QFileInfo>
#include <QTest>

using namespace LinkFolder;

// The index of the link tables: its file, its titles and counts, the table chosen.
class tst_LinkIndex : public QObject
{
    Q_OBJECT
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

TAMZO_TEST_MAIN(tst_LinkIndex)
#include "tst_linkindex.moc"
