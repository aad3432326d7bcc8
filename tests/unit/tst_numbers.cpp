#include "core/numbers.h"
#include "testmain.h"

#include <QTest>

class tst_Numbers : public QObject
{
    Q_OBJECT
private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "42" << 42.0;
        QTest::newRow("blanks around") << "   3   " << 3.0;
        QTest::newRow("written with a blank") << " 5" << 5.0;
        QTest::newRow("negative") << "-5" << -5.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("fraction") << "1234.5" << 1234.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("exponent") << "1.5e3xyz" << 1500.0;
        QTest::newRow("negative exponent") << "25E-1" << 2.5;
        QTest::newRow("e without digits stops") << "12e" << 12.0;
        QTest::newRow("text after") << "120abc" << 120.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("blank inside stops") << "1 2" << 1.0;
        QTest::newRow("tab before") << "\t9" << 9.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Numbers::leadingNumber(text), expected);
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("inRange");
        QTest::addColumn<int>("expected");
        QTest::newRow("half down to even") << 120.5 << true << 120;
        QTest::newRow("half up to even") << 121.5 << true << 122;
        QTest::newRow("negative half") << -2.5 << true << -2;
        QTest::newRow("below half") << 3.4 << true << 3;
        QTest::newRow("upper bound") << 32767.0 << true << 32767;
        QTest::newRow("lower bound") << -32768.0 << true << -32768;
        QTest::newRow("rounds past the top") << 32767.5 << false << 0;
        QTest::newRow("too large") << 57600.0 << false << 0;
        QTest::newRow("too small") << -40000.0 << false << 0;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(bool, inRange);
        QFETCH(int, expected);
        const auto result = Numbers::toInt16(value);
        QCOMPARE(result.has_value(), inRange);
        if (inRange)
            QCOMPARE(int(*result), expected);
    }

    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("integer");
        QTest::addColumn<QString>("number");
        QTest::newRow("positive") << 5.0 << " 5" << " 5";
        QTest::newRow("zero") << 0.0 << " 0" << " 0";
        QTest::newRow("negative") << -5.0 << "-5" << "-5";
        QTest::newRow("fraction") << 1234.5 << " 1234" << " 1234.5";
        // Seventeen digits: fifteen would write a different number.
        QTest::newRow("every digit kept") << 0.12345678901234568 << " 0" << " 0.12345678901234568";
        QTest::newRow("large, every digit kept") << 144444444444444449.0 << " 144444444444444448" << " 144444444444444450";
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(QString, integer);
        QFETCH(QString, number);
        QCOMPARE(Numbers::formatInteger(static_cast<qint64>(value)), integer);
        QCOMPARE(Numbers::formatNumber(value), number);
        // What is written reads back as the same value.
        QCOMPARE(Numbers::leadingNumber(number), value);
    }
};

TAMZO_TEST_MAIN(tst_Numbers)
#include "tst_numbers.moc"
