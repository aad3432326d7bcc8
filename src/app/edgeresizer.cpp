#include "edgeresizer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

EdgeResizer::EdgeResizer(QWindow *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

Qt::Edges EdgeResizer::edgesAt(const QSize &size, const QPoint &pos)
{
    Qt::Edges edges;
    if (pos.x() < border)
        edges |= Qt::LeftEdge;
    if (pos.x() >= size.width() - border)
        edges |= Qt::RightEdge;
    if (pos.y() < border)
        edges |= Qt::TopEdge;
    if (pos.y() >= size.height() - border)
        edges |= Qt::BottomEdge;
    return edges;
}

Qt::CursorShape EdgeResizer::cursorFor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    return Qt::SizeVerCursor;
}

void EdgeResizer::showCursorFor(Qt::Edges edges)
{
    if (edges == m_shownEdges)
        return;
    // The controls along the edge have cursors of their own; the resize shape goes over them.
    if (m_shownEdges)
        QGuiApplication::restoreOverrideCursor();
    if (edges)
        QGuiApplication::setOverrideCursor(cursorFor(edges));
    m_shownEdges = edges;
}

bool EdgeResizer::eventFilter(QObject *watched, QEvent *event)
{
    const bool normal = m_window->windowState() == Qt::WindowNoState;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        showCursorFor(normal && mouse->buttons() == Qt::NoButton
                          ? edgesAt(m_window->size(), mouse->position().toPoint())
                          : Qt::Edges());
        break;
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::Edges edges = edgesAt(m_window->size(), mouse->position().toPoint());
        if (normal && mouse->button() == Qt::LeftButton && edges && m_window->startSystemResize(edges)) {
            showCursorFor({});
            return true;
        }
        break;
    }
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        showCursorFor({});
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
