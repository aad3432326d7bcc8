#include "linktables/linkindex.h"
#include "linktables/linktablefile.h"
#include "testmain.h"

#include <QTest>

// What a link-table file can keep, and what the page gives made storable.
class tst_LinkTableFile : public QObject
{
    Q_OBJECT
private slots:
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
        // Reading a line file drops these, so a field holding one would not read back either.
        QTest::newRow("line separator") << QString::fromUtf8("a\u2028b") << false << false;
        QTest::newRow("paragraph separator") << QString::fromUtf8("a\u2029b") << false << false;
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
};

TAMZO_TEST_MAIN(tst_LinkTableFile)
#include "tst_linktablefile.moc"
