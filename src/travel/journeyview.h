#pragma once

#include <QGraphicsView>

// The journey picture's view: dragged with the mouse, zoomed with Ctrl and the wheel or by the
// window's buttons, or fitted to the window (as it opens), where it stays fitted as the picture
// grows and the window changes size; a zoom the user chose stays until the fit is chosen again.
// A click (a press and a release in one place, not a drag) names the point of the picture it hit.
class JourneyView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit JourneyView(QGraphicsScene *scene, QWidget *parent = nullptr);

    void setFitting(bool fitting);
    bool fitting() const { return m_fitting; }
    // Zooming ends the fitting.
    void zoomBy(double factor);
    // The picture has grown or moved.
    void pictureChanged();

signals:
    void clicked(QPointF scenePoint);
    void fittingChanged(bool fitting);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_fitting = true;
    QPoint m_pressedAt;
};
