#include "platform/edgeresizer.h"
#include "testmain.h"

class tst_EdgeResizer : public QObject
{
    Q_OBJECT
private slots:
    void pressNearAnEdgeGrabsIt_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("edges");
        QTest::addColumn<int>("cursor");
        const auto row = [](const char *name, QPoint pos, Qt::Edges edges, Qt::CursorShape cursor) {
            QTest::newRow(name) << pos << int(edges) << int(cursor);
        };
        row("inside", {400, 300}, {}, Qt::SizeVerCursor);
        row("just inside the border", {5, 5}, {}, Qt::SizeVerCursor);
        row("left", {0, 300}, Qt::LeftEdge, Qt::SizeHorCursor);
        row("right", {799, 300}, Qt::RightEdge, Qt::SizeHorCursor);
        row("top", {400, 4}, Qt::TopEdge, Qt::SizeVerCursor);
        row("bottom", {400, 595}, Qt::BottomEdge, Qt::SizeVerCursor);
        row("top left", {1, 2}, Qt::TopEdge | Qt::LeftEdge, Qt::SizeFDiagCursor);
        row("bottom right", {798, 599}, Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor);
        row("top right", {797, 0}, Qt::TopEdge | Qt::RightEdge, Qt::SizeBDiagCursor);
        row("bottom left", {3, 597}, Qt::BottomEdge | Qt::LeftEdge, Qt::SizeBDiagCursor);
    }
    void pressNearAnEdgeGrabsIt()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, edges);
        const Qt::Edges found = EdgeResizer::edgesAt(QSize(800, 600), pos);
        QCOMPARE(int(found), edges);
        if (found)
            QTEST(int(EdgeResizer::cursorFor(found)), "cursor");
    }
};

TAMZO_TEST_MAIN(tst_EdgeResizer)
#include "tst_edgeresizer.moc"
