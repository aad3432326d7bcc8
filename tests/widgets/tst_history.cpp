#include "browsing/history.h"
#include "core/programstate.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

class tst_History : public QObject
{
    Q_OBJECT
private:
    static QStringList numbered(int count, const QList<int> &empty = {})
    {
        QStringList items;
        for (int i = 1; i <= count; ++i)
            items << (empty.contains(i) ? QString() : QString("http://site%1.example/").arg(i));
        return items;
    }

private slots:
    void saveKeepsTheNewest30_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("saved");
        QTest::newRow("31 save 2 to 31") << numbered(31) << numbered(31).mid(1);
        QTest::newRow("30 save all") << numbered(30) << numbered(30);
        QTest::newRow("few") << numbered(3) << numbered(3);
        QTest::newRow("none") << QStringList{} << QStringList{};
        QStringList withGaps = numbered(32, {1, 10, 20});
        QStringList expected = withGaps.mid(2);
        expected.removeAll(QString());
        QTest::newRow("empty ones dropped, older not pulled in") << withGaps << expected;
        // No entry reaches the box with a line break (it inserts nothing typed; Hyst_Add and Hyst_Read
        // drop them): the save's own guard is tried with items put in directly.
        QTest::newRow("line breaks dropped") << QStringList{"http://a.example/\r\npage", "http://b.example/\nx\u2028y"}
                                             << QStringList{"http://a.example/page", "http://b.example/xy"};
    }
    void saveKeepsTheNewest30()
    {
        QFETCH(QStringList, items);
        QFETCH(QStringList, saved);
        TempAppFolder folder;
        folder.write("Data/keep", {});
        ProgramState state{AppFolder(folder.root())};
        QComboBox box;
        box.addItems(items);
        History history(state, &box);
        QVERIFY(history.Hyst_Save().ok());
        QCOMPARE(folder.readLines("Data/TamzoTravel.Hys"), saved);
        QCOMPARE(saved.isEmpty(), folder.readBytes("Data/TamzoTravel.Hys").isEmpty());
    }

    void readTakesEveryLine()
    {
        TempAppFolder folder;
        folder.writeBytes("Data/TamzoTravel.hys", "http://a.example/\r\n\r\nhttp://b.example/\n");
        ProgramState state{AppFolder(folder.root())};
        QComboBox box;
        box.setEditable(true);
        box.setEditText("typed");
        History history(state, &box);
        history.Hyst_Read();
        QCOMPARE(box.count(), 3);
        QCOMPARE(box.itemText(1), QString());
        QCOMPARE(box.currentText(), QString("typed"));
        // The empty item goes at the next save, into the same file whatever the case of its name.
        QVERIFY(history.Hyst_Save().ok());
        QCOMPARE(folder.readLines("Data/TamzoTravel.hys"), (QStringList{"http://a.example/", "http://b.example/"}));
        QVERIFY(!folder.exists("Data/TamzoTravel.Hys"));

        TempAppFolder empty;
        ProgramState none{AppFolder(empty.root())};
        QComboBox other;
        History(none, &other).Hyst_Read();
        QCOMPARE(other.count(), 0);
    }

    void addComparesTrimmedAndCaseSensitive_data()
    {
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<bool>("added");
        QTest::newRow("new") << "http://new.example/" << true;
        QTest::newRow("same") << "http://a.example/" << false;
        QTest::newRow("same with blanks") << "  http://a.example/  " << false;
        QTest::newRow("same against a blank item") << "http://b.example/" << false;
        QTest::newRow("upper case") << "HTTP://A.EXAMPLE/" << true;
    }
    void addComparesTrimmedAndCaseSensitive()
    {
        QFETCH(QString, boxText);
        QFETCH(bool, added);
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        QComboBox box;
        box.setEditable(true);
        box.addItems({"http://a.example/", " http://b.example/ "});
        box.setEditText(boxText);
        state.currentAddress = boxText;
        History(state, &box).Hyst_Add();
        QCOMPARE(box.count(), added ? 3 : 2);
        if (added)
            QCOMPARE(box.itemText(2), boxText);
        QCOMPARE(box.currentText(), boxText);
    }
};

TAMZO_TEST_MAIN(tst_History)
#include "tst_history.moc"
