#include "journeyarrowitem.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QStyleOptionGraphicsItem>

namespace {

constexpr double readablePixels = 5;
const QColor lineColour(90, 90, 90);

const QFont &arrowFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(JourneyArrowItem::fontPixels);
        return f;
    }();
    return font;
}

} // namespace

JourneyArrowItem::JourneyArrowItem() { setZValue(0); }

void JourneyArrowItem::setShape(const QPainterPath &path, const QPolygonF &head, QPointF labelAt)
{
    prepareGeometryChange();
    m_path = path;
    m_head = head;
    m_labelAt = labelAt;
    m_bounds = (m_path.boundingRect() | m_head.boundingRect() | labelBox()).adjusted(-2, -2, 2, 2);
}

void JourneyArrowItem::setText(const QString &text, const QString &steps)
{
    prepareGeometryChange();
    m_text = text;
    setToolTip(steps);
    m_bounds = (m_path.boundingRect() | m_head.boundingRect() | labelBox()).adjusted(-2, -2, 2, 2);
}

QRectF JourneyArrowItem::labelBox() const
{
    const QSizeF size(QFontMetricsF(arrowFont()).horizontalAdvance(m_text) + 4, fontPixels + 4);
    return QRectF(m_labelAt - QPointF(size.width() / 2, size.height() / 2), size);
}

QRectF JourneyArrowItem::boundingRect() const { return m_bounds; }

QPainterPath JourneyArrowItem::shape() const
{
    QPainterPathStroker stroker;
    stroker.setWidth(6);
    QPainterPath area = stroker.createStroke(m_path);
    area.addPolygon(m_head);
    area.addRect(labelBox());
    return area;
}

void JourneyArrowItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    painter->setPen(QPen(lineColour, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_path);
    painter->setBrush(lineColour);
    painter->drawPolygon(m_head);
    if (option->levelOfDetailFromTransform(painter->worldTransform()) * fontPixels < readablePixels)
        return;
    painter->setFont(arrowFont());
    painter->setPen(Qt::black);
    painter->drawText(labelBox(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
}
