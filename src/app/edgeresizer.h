#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class QWindow;

// A window without a frame is resized from its edges: pressing the pointer within a few pixels of an
// edge hands the drag to the desktop's own resize, and the pointer shows the matching resize shape there.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCursorFor(Qt::Edges edges);

    QWindow *m_window;
    Qt::Edges m_shownEdges;
};
