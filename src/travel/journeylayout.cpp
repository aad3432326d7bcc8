#include "journeylayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<QPointF> pointOf(QStringView text)
{
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    bool xRead = false, yRead = false;
    const double x = text.left(comma).toDouble(&xRead), y = text.mid(comma + 1).toDouble(&yRead);
    return xRead && yRead ? std::optional<QPointF>(QPointF(x, y)) : std::nullopt;
}

// An edge's "pos": its first spline, "e,x,y" (the head's tip) and "s,x,y" first, then its points.
std::optional<JourneyLayout::ArrowShape> shapeOf(const QString &pos, const std::function<QPointF(QPointF)> &at)
{
    std::optional<QPointF> tip;
    QList<QPointF> points;
    for (QStringView part : QStringView(pos).split(u';').value(0).split(u' ', Qt::SkipEmptyParts)) {
        const bool end = part.startsWith(u"e,"), start = part.startsWith(u"s,");
        const std::optional<QPointF> point = pointOf(end || start ? part.mid(2) : part);
        if (!point)
            return std::nullopt;
        if (end)
            tip = at(*point);
        else if (!start)
            points << at(*point);
    }
    if (points.size() < 4 || (points.size() - 1) % 3 != 0)
        return std::nullopt;
    JourneyLayout::ArrowShape shape;
    shape.path.moveTo(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        shape.path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (tip) {
        // The head runs from the curve's end to the point it touches.
        const QPointF base = points.last(), along = *tip - base, across(-along.y() / 2.5, along.x() / 2.5);
        shape.head << *tip << base + across << base - across;
    }
    return shape;
}

} // namespace

JourneyLayout JourneyLayout::fromJson(const QByteArray &json, const JourneyGraph &graph)
{
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    const QStringList box = root.value(u"bb").toString().split(u',');
    if (box.size() != 4)
        return {};
    const QRectF bb(QPointF(box[0].toDouble(), box[1].toDouble()), QPointF(box[2].toDouble(), box[3].toDouble()));
    const auto at = [&bb](QPointF p) { return QPointF(p.x() - bb.left(), bb.bottom() - p.y()); };
    JourneyLayout layout;
    layout.bounds = QRectF(0, 0, bb.width(), bb.height());
    // Graphviz numbers the pages in the order they were written, which is the graph's.
    QList<int> pageOfObject;
    for (const QJsonValue &value : root.value(u"objects").toArray()) {
        const QJsonObject object = value.toObject();
        bool named = false;
        const int page = object.value(u"name").toString().toInt(&named);
        const std::optional<QPointF> centre = pointOf(object.value(u"pos").toString());
        if (!named || page < 0 || size_t(page) >= graph.nodes.size() || !centre)
            return {};
        pageOfObject << page;
        if (layout.centres.size() <= size_t(page))
            layout.centres.resize(page + 1);
        layout.centres[page] = at(*centre);
    }
    layout.arrows.resize(graph.arrows.size());
    for (const QJsonValue &value : root.value(u"edges").toArray()) {
        const QJsonObject edge = value.toObject();
        const int tail = pageOfObject.value(edge.value(u"tail").toInt(-1), -1);
        const int head = pageOfObject.value(edge.value(u"head").toInt(-1), -1);
        const int arrow = graph.arrowOf(tail, head);
        if (arrow < 0)
            continue;
        auto shape = shapeOf(edge.value(u"pos").toString(), at);
        if (shape && edge.contains(u"lp"))
            if (const std::optional<QPointF> label = pointOf(edge.value(u"lp").toString()))
                shape->labelAt = at(*label);
        layout.arrows[arrow] = std::move(shape);
    }
    return layout;
}
