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
        QCOMPARE(l.tab1.width(), 1200.0);
        QCOMPARE(l.text1, QRectF(1260, 30, 980 - 1200 - 110, 315));
        QCOMPARE(l.picStat, QRectF(0, 6000 - 355, 8980, 355));
        QCOMPARE(l.statusBar, QRectF(375, 0, 9000 - 1800 - 375 - 375 - 495 - 60, 355));
        QCOMPARE(l.timeBar.left(), 375.0 + 5895);
        QCOMPARE(l.progressBar.left(), 375.0 + 5895 + 495);
        QCOMPARE(l.cmdMove.left(), 9000.0 - 375 - 50);
    }
};

TAMZO_TEST_MAIN(tst_MainLayout)
#include "tst_mainlayout.moc"
