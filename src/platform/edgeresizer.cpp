#include "edgeresizer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>

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

QRect EdgeResizer::dragged(const QRect &start, Qt::Edges edges, const QPoint &offset, const QSize &minimum)
{
    QRect r = start;
    if (edges & Qt::LeftEdge)
        r.setLeft(std::min(start.left() + offset.x(), start.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge)
        r.setRight(std::max(start.right() + offset.x(), start.left() + minimum.width() - 1));
    if (edges & Qt::TopEdge)
        r.setTop(std::min(start.top() + offset.y(), start.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge)
        r.setBottom(std::max(start.bottom() + offset.y(), start.top() + minimum.height() - 1));
    return r;
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

bool EdgeResizer::press(const QMouseEvent &mouse)
{
    const Qt::Edges edges = edgesAt(m_window->size(), mouse.position().toPoint());
    if (mouse.button() != Qt::LeftButton || !edges)
        return false;
    showCursorFor({});
    if (!m_window->startSystemResize(edges)) {
        m_dragEdges = edges;
        m_pressAt = mouse.globalPosition().toPoint();
        m_startGeometry = m_window->geometry();
    }
    return true;
}

bool EdgeResizer::eventFilter(QObject *watched, QEvent *event)
{
    const bool normal = m_window->windowState() == Qt::WindowNoState;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragEdges) {
            const QSize minimum = m_window->minimumSize().expandedTo(QSize(2 * border + 1, 2 * border + 1));
            m_window->setGeometry(
                dragged(m_startGeometry, m_dragEdges, mouse->globalPosition().toPoint() - m_pressAt, minimum));
            return true;
        }
        showCursorFor(normal && mouse->buttons() == Qt::NoButton
                          ? edgesAt(m_window->size(), mouse->position().toPoint())
                          : Qt::Edges());
        break;
    }
    case QEvent::MouseButtonPress:
        if (normal && press(*static_cast<QMouseEvent *>(event)))
            return true;
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragEdges && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_dragEdges = {};
            return true;
        }
        break;
    case QEvent::Hide:
    case QEvent::WindowStateChange:
        m_dragEdges = {};
        showCursorFor({});
        break;
    case QEvent::Leave:
        showCursorFor({});
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
