#include "journeypageitem.h"

#include "platform/plaintooltip.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace {

constexpr double margin = 8, boxHeight = 22, readablePixels = 5;

const QFont &pageFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(JourneyPageItem::fontPixels);
        return f;
    }();
    return font;
}

} // namespace

JourneyPageItem::JourneyPageItem(const QString &text, const QColor &fill, const QString &address) : m_fill(fill)
{
    setText(text);
    setToolTip(plainToolTip(address));
    setCursor(Qt::PointingHandCursor);
    setZValue(1);
}

QSizeF JourneyPageItem::sizeFor(const QString &text)
{
    return QSizeF(std::max(40.0, QFontMetricsF(pageFont()).horizontalAdvance(text) + 2 * margin), boxHeight);
}

void JourneyPageItem::setText(const QString &text)
{
    if (text == m_text && !m_box.isEmpty())
        return;
    prepareGeometryChange();
    m_text = text;
    const QSizeF size = sizeFor(text);
    m_box = QRectF(QPointF(-size.width() / 2, -size.height() / 2), size);
}

void JourneyPageItem::setTravelBegan(bool began)
{
    if (began != m_travelBegan) {
        m_travelBegan = began;
        update();
    }
}

QRectF JourneyPageItem::boundingRect() const { return m_box.adjusted(-3, -3, 3, 3); }

void JourneyPageItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const double detail = option->levelOfDetailFromTransform(painter->worldTransform());
    painter->setBrush(m_fill);
    painter->setPen(QPen(Qt::black, 1));
    painter->drawRoundedRect(m_box, 6, 6);
    if (m_travelBegan) {
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(m_box.adjusted(-3, -3, 3, 3), 8, 8);
    }
    if (detail * fontPixels < readablePixels)
        return;
    painter->setFont(pageFont());
    painter->drawText(m_box, Qt::AlignCenter | Qt::TextSingleLine, m_text);
}
