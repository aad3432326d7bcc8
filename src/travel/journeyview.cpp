#include "journeyview.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// Past these a picture is a dot or a few letters.
constexpr double smallest = 0.01, largest = 8;

} // namespace

JourneyView::JourneyView(QGraphicsScene *scene, QWidget *parent) : QGraphicsView(scene, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
}

void JourneyView::setFitting(bool fitting)
{
    if (fitting == m_fitting)
        return;
    m_fitting = fitting;
    pictureChanged();
    emit fittingChanged(fitting);
}

void JourneyView::pictureChanged()
{
    if (!m_fitting || !scene())
        return;
    // A small journey fills the window too, up to the largest zoom.
    fitInView(sceneRect(), Qt::KeepAspectRatio);
    if (transform().m11() > largest)
        setTransform(QTransform::fromScale(largest, largest));
}

void JourneyView::zoomBy(double factor)
{
    const double now = transform().m11();
    const double wanted = std::clamp(now * factor, smallest, largest);
    setFitting(false);
    scale(wanted / now, wanted / now);
}

void JourneyView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        zoomBy(std::pow(1.25, notches));
    event->accept();
}

void JourneyView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    pictureChanged();
}

void JourneyView::mousePressEvent(QMouseEvent *event)
{
    m_pressedAt = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

void JourneyView::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && (event->position().toPoint() - m_pressedAt).manhattanLength() < 5)
        emit clicked(mapToScene(event->position().toPoint()));
}
