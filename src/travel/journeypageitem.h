#pragma once

#include <QGraphicsItem>

// A page of the journey picture: a rounded box in its host's colour with its text, a double
// border where a travel began. Zoomed out too far to read, the box goes without its text.
class JourneyPageItem : public QGraphicsItem
{
public:
    static constexpr int fontPixels = 10;

    JourneyPageItem(const QString &text, const QColor &fill, const QString &address);

    // The box a text needs.
    static QSizeF sizeFor(const QString &text);

    const QString &text() const { return m_text; }
    void setText(const QString &text);
    void setTravelBegan(bool began);
    bool travelBegan() const { return m_travelBegan; }
    const QColor &fill() const { return m_fill; }
    QRectF box() const { return m_box.translated(pos()); }
    void setCentre(QPointF centre) { setPos(centre); }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QString m_text;
    QColor m_fill;
    QRectF m_box; // around the item's position, its centre
    bool m_travelBegan = false;
};
