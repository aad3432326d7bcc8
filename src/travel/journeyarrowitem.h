#pragma once

#include <QGraphicsItem>
#include <QPainterPath>
#include <QPolygonF>

// An arrow of the journey picture: the way one or more steps went between two pages, with its
// text. Zoomed out too far to read, it goes without its text.
class JourneyArrowItem : public QGraphicsItem
{
public:
    static constexpr int fontPixels = 9;

    JourneyArrowItem();

    // path: a cubic curve to the base of the head.
    void setShape(const QPainterPath &path, const QPolygonF &head, QPointF labelAt);
    void setText(const QString &text, const QString &steps);
    const QString &text() const { return m_text; }
    const QPainterPath &path() const { return m_path; }
    QPointF tip() const { return m_head.value(0, m_path.currentPosition()); }
    QPointF labelAt() const { return m_labelAt; }
    int stepCount() const { return m_stepCount; }
    void setStepCount(int count) { m_stepCount = count; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QRectF labelBox() const;

    QPainterPath m_path;
    QPolygonF m_head;
    QPointF m_labelAt;
    QString m_text;
    int m_stepCount = 0;
    QRectF m_bounds;
};
