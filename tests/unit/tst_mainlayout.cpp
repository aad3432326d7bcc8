#include "app/mainlayout.h"
#include "testmain.h"

#include <QTest>

class tst_MainLayout : public QObject
{
    Q_OBJECT
private slots:
    void partsInPlaceAtAGivenSize()
    {
        const MainLayout l = MainLayout::compute(9000, 6000, 1200);
        // The command bars side by side along the top, without gap or overlap.
        QCOMPARE(l.cmdBar0.left(), 0.0);
        QCOMPARE(l.cmdBar1.left(), l.cmdBar0.right());
        QCOMPARE(l.cmdBar2.left(), l.cmdBar1.right());
        // Too narrow for a tab strip: the address box alone, inside the middle bar.
        QCOMPARE(l.tab1.width(), 0.0);
        QVERIFY(QRectF(QPointF(), l.cmdBar1.size()).contains(l.text1));
        // The status band at the bottom; in it, left to right, the two move handles at its edges.
        QCOMPARE(l.picStat.bottom(), 6000.0);
        QVERIFY(l.picStat.top() >= l.picBar.bottom());
        const QList<QRectF> band{l.cmdMoveL, l.statusBar, l.timeBar, l.progressBar, l.cmdMove};
        for (int i = 1; i < band.size(); ++i)
            QVERIFY2(band[i - 1].right() <= band[i].left(), qPrintable(QString::number(i)));
        QCOMPARE(l.cmdMoveL.left(), 0.0);
        QVERIFY(l.cmdMove.right() <= l.picStat.width() && l.cmdMove.right() >= l.picStat.width() - 100);
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
