#include "app/mainlayout.h"
#include "testmain.h"

#include <QTest>

class tst_MainLayout : public QObject
{
    Q_OBJECT
private slots:
    void figuresAtAGivenSize()
    {
        const MainLayout l = MainLayout::compute(9000, 6000, 1200);
        QCOMPARE(l.picBar, QRectF(20, 0, 8980, 385));
        QCOMPARE(l.cmdBar0, QRectF(0, 0, 5350, 375));
        QCOMPARE(l.cmdBar1, QRectF(5350, -10, 980, 375));
        QCOMPARE(l.cmdBar2.left(), 6330.0);
        // Too narrow for a tab strip: the address box takes the whole middle bar.
        QCOMPARE(l.tab1.width(), 0.0);
        QCOMPARE(l.text1, QRectF(60, 30, 980 - 110, 315));
        QCOMPARE(l.picStat, QRectF(0, 6000 - 355, 8980, 355));
        QCOMPARE(l.statusBar, QRectF(375, 0, 9000 - 1800 - 375 - 375 - 495 - 60, 355));
        QCOMPARE(l.timeBar.left(), 375.0 + 5895);
        QCOMPARE(l.progressBar.left(), 375.0 + 5895 + 495);
        QCOMPARE(l.cmdMove.left(), 9000.0 - 375 - 50);
    }

    void rightBarWideEnoughForItsButtons_data()
    {
        QTest::addColumn<double>("needs");
        QTest::addColumn<double>("width");
        QTest::newRow("fits in 2800") << 2000.0 << 2800.0;
        QTest::newRow("fits with its 150 beyond") << 2650.0 << 2800.0;
        QTest::newRow("needs more") << 3500.0 << 3650.0;
    }
    void rightBarWideEnoughForItsButtons()
    {
        QFETCH(double, needs);
        QFETCH(double, width);
        const MainLayout l = MainLayout::compute(9000, 6000, 1200, needs);
        QCOMPARE(l.cmdBar2.width(), width);
        // The three bars still tile the top bar.
        QCOMPARE(l.cmdBar2.left(), 8980 - width + 150);
        QCOMPARE(l.cmdBar1.width(), 8980 - 5350 - width + 150);
    }

    // A narrow window keeps a usable address box; the tab strip (6,200 twips in the delivered
    // languages) gets what is left, and all it asks for on a wide window.
    void narrowWindowsKeepTheAddressBox()
    {
        for (const int pixels : {800, 1000, 1600}) {
            const MainLayout l = MainLayout::compute(pixels * 15.0, 9000, 6200);
            QVERIFY(l.text1.width() >= 200 * 15 && l.text1.width() >= l.cmdBar1.width() / 3);
            QVERIFY(l.tab1.width() > 0 && l.tab1.right() < l.text1.left() && l.text1.right() <= l.cmdBar1.width());
            QCOMPARE(l.tab1.width() == 6200, pixels == 1600);
        }
    }
};

TAMZO_TEST_MAIN(tst_MainLayout)
#include "tst_mainlayout.moc"
