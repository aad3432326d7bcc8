#include "journeydot.h"

namespace {

constexpr double pointsPerInch = 72;
const QByteArray fontAttributes = "fontname=\"DejaVu Sans\"";

QByteArray number(double value) { return QByteArray::number(value, 'f', 2); }

// A DOT string: only a quote needs a backslash inside one.
QByteArray quoted(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('"', "\\\"");
    return '"' + bytes + '"';
}

} // namespace

QByteArray JourneyDot::label(const QString &text)
{
    // Graphviz reads "\N", "\G", "\l"... in a label; a doubled backslash is one backslash.
    return quoted(QString(text).replace(u'\\', QStringLiteral("\\\\")));
}

QByteArray JourneyDot::forLayout(const JourneyGraph &graph, const std::vector<QSizeF> &boxes, bool flow)
{
    QByteArray dot = "digraph journey {\n";
    if (flow)
        dot += "graph [rankdir=LR];\nedge [" + fontAttributes + " fontsize=9];\n";
    dot += "node [shape=box fixedsize=true label=\"\"];\n";
    for (size_t i = 0; i < graph.nodes.size() && i < boxes.size(); ++i)
        dot += QByteArray::number(qulonglong(i)) + " [width=" + number(boxes[i].width() / pointsPerInch) +
               " height=" + number(boxes[i].height() / pointsPerInch) + "];\n";
    for (const JourneyGraph::Arrow &arrow : graph.arrows) {
        if (size_t(std::max(arrow.from, arrow.to)) >= boxes.size())
            continue;
        dot += QByteArray::number(arrow.from) + " -> " + QByteArray::number(arrow.to);
        // The force-directed layout of a long journey takes many times as long with labels to place.
        if (flow)
            dot += " [label=" + label(JourneyGraph::arrowText(arrow)) + ']';
        dot += ";\n";
    }
    return dot + "}\n";
}

QByteArray JourneyDot::forDrawing(const QRectF &bounds, const std::vector<Page> &pages, const std::vector<Arrow> &arrows)
{
    // Graphviz's y grows upwards.
    const auto at = [&bounds](QPointF p) -> QByteArray { return number(p.x() - bounds.left()) + ',' + number(bounds.bottom() - p.y()); };
    QByteArray dot = "digraph journey {\ngraph [bb=\"0,0," + number(bounds.width()) + ',' + number(bounds.height()) +
                     "\"];\nnode [shape=box style=\"rounded,filled\" fixedsize=true fontsize=10 " + fontAttributes +
                     "];\nedge [fontsize=9 " + fontAttributes + "];\n";
    for (size_t i = 0; i < pages.size(); ++i) {
        const Page &page = pages[i];
        dot += QByteArray::number(qulonglong(i)) + " [pos=\"" + at(page.box.center()) +
               "\" width=" + number(page.box.width() / pointsPerInch) +
               " height=" + number(page.box.height() / pointsPerInch) + " label=" + label(page.text) +
               " tooltip=" + label(page.address) + " fillcolor=\"" + page.fill.name().toLatin1() + '"' +
               (page.travelBegan ? " peripheries=2" : "") + "];\n";
    }
    for (const Arrow &arrow : arrows) {
        QByteArray points;
        for (int i = 0; i < arrow.path.elementCount(); ++i) {
            const QPainterPath::Element e = arrow.path.elementAt(i);
            points += ' ' + at(e);
        }
        dot += QByteArray::number(arrow.from) + " -> " + QByteArray::number(arrow.to) + " [pos=\"e," + at(arrow.tip) +
               points + "\" label=" + label(arrow.text) + " lp=\"" + at(arrow.labelAt) + "\" tooltip=" +
               label(arrow.steps) + "];\n";
    }
    return dot + "}\n";
}
