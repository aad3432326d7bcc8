#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMouseEvent;
class QWindow;

// A window without a frame is resized from its edges: pressing the pointer within a few pixels of an
// edge hands the drag to the desktop's own resize, and the pointer shows the matching resize shape there.
// Where the desktop offers no resize of its own (no window manager), the drag resizes the window here.
class EdgeResizer : public QObject
{
    Q_OBJECT
public:
    static constexpr int border = 5;

    // Watches the window's own events, whichever of its controls lies under the pointer.
    explicit EdgeResizer(QWindow *window);

    // The edges a press at pos (window coordinates) grabs; none away from the border.
    static Qt::Edges edgesAt(const QSize &size, const QPoint &pos);
    static Qt::CursorShape cursorFor(Qt::Edges edges);
    // The window's place after its edges were dragged by offset, never smaller than minimum.
    static QRect dragged(const QRect &start, Qt::Edges edges, const QPoint &offset, const QSize &minimum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCursorFor(Qt::Edges edges);
    bool press(const QMouseEvent &mouse);

    QWindow *m_window;
    Qt::Edges m_shownEdges;
    // The drag resized here: the edges held, where the pointer and the window were at the press.
    Qt::Edges m_dragEdges;
    QPoint m_pressAt;
    QRect m_startGeometry;
};
