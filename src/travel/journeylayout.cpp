#include "journeylayout.h"

#include <graphviz/gvc.h>

#include <memory>

namespace {

constexpr int labelLength = 40;
// dot draws a journey as a flow from its start, but takes many seconds once a long journey keeps
// coming back to its pages; past this many pages the force-directed sfdp lays it out in a fraction
// of a second.
constexpr size_t dotPageLimit = 200;

// Graphviz takes its attribute names and values as writable C strings.
void set(void *object, const char *name, const QString &value)
{
    QByteArray nameBytes(name), valueBytes = value.toUtf8();
    agsafeset(object, nameBytes.data(), valueBytes.data(), const_cast<char *>(""));
}

// One Graphviz context for the whole run: its text plugin keeps the last font name it measured
// with, which a freed context would leave pointing at freed memory for the next layout.
GVC_t *sharedContext()
{
    static GVC_t *const context = gvContext();
    return context;
}

struct Graph
{
    GVC_t *context = sharedContext();
    Agraph_t *graph = agopen(const_cast<char *>("journey"), Agdirected, nullptr);
    bool laidOut = false;
    ~Graph()
    {
        if (laidOut)
            gvFreeLayout(context, graph);
        agclose(graph);
    }
};

} // namespace

QColor JourneyLayout::hostColour(int host) { return QColor::fromHsv((host * 137) % 360, 70, 250); }

QString JourneyLayout::nodeText(const JourneyGraph::Node &node)
{
    QString text = node.label.size() > labelLength ? node.label.left(labelLength - 1) % u'…' : node.label;
    if (node.visits > 1)
        text += u" ×" % QString::number(node.visits);
    return text;
}

JourneyLayout JourneyLayout::of(const JourneyGraph &journey)
{
    JourneyLayout layout;
    Graph g;
    set(g.graph, "rankdir", QStringLiteral("LR"));
    set(g.graph, "fontname", QStringLiteral("DejaVu Sans"));
    std::vector<Agnode_t *> nodes;
    for (size_t i = 0; i < journey.nodes.size(); ++i) {
        const JourneyGraph::Node &node = journey.nodes[i];
        Agnode_t *n = agnode(g.graph, QByteArray::number(qulonglong(i)).data(), 1);
        set(n, "label", nodeText(node));
        set(n, "tooltip", node.address);
        set(n, "shape", QStringLiteral("box"));
        set(n, "style", QStringLiteral("rounded,filled"));
        set(n, "fontname", QStringLiteral("DejaVu Sans"));
        set(n, "fontsize", QStringLiteral("10"));
        set(n, "fillcolor", hostColour(node.host).name());
        set(n, "peripheries", i == 0 ? QStringLiteral("2") : QStringLiteral("1"));
        nodes.push_back(n);
    }
    std::vector<Agedge_t *> edges;
    for (const JourneyGraph::Arrow &arrow : journey.arrows) {
        Agedge_t *e = agedge(g.graph, nodes[arrow.from], nodes[arrow.to], QByteArray::number(arrow.step).data(), 1);
        set(e, "label", QString::number(arrow.step));
        set(e, "fontname", QStringLiteral("DejaVu Sans"));
        set(e, "fontsize", QStringLiteral("9"));
        edges.push_back(e);
    }
    const bool flow = journey.nodes.size() <= dotPageLimit;
    if (!flow)
        set(g.graph, "overlap", QStringLiteral("scale"));
    if (gvLayout(g.context, g.graph, flow ? "dot" : "sfdp") != 0)
        return layout;
    g.laidOut = true;

    const boxf bb = GD_bb(g.graph);
    const auto at = [&bb](pointf p) { return QPointF(p.x - bb.LL.x, bb.UR.y - p.y); };
    layout.bounds = QRectF(0, 0, bb.UR.x - bb.LL.x, bb.UR.y - bb.LL.y);
    for (Agnode_t *n : nodes) {
        const QSizeF size(ND_width(n) * 72, ND_height(n) * 72);
        layout.nodes.push_back({QRectF(at(ND_coord(n)) - QPointF(size.width() / 2, size.height() / 2), size)});
    }
    for (Agedge_t *e : edges) {
        ArrowShape shape;
        if (const splines *spl = ED_spl(e); spl && spl->size > 0) {
            const bezier &curve = spl->list[0];
            shape.path.moveTo(at(curve.list[0]));
            for (int i = 1; i + 2 < curve.size; i += 3)
                shape.path.cubicTo(at(curve.list[i]), at(curve.list[i + 1]), at(curve.list[i + 2]));
            if (curve.eflag) {
                // The head runs from the curve's end to the point it touches.
                const QPointF tip = at(curve.ep), base = at(curve.list[curve.size - 1]);
                const QPointF along = tip - base, across(-along.y() / 2.5, along.x() / 2.5);
                shape.head << tip << base + across << base - across;
            }
        }
        if (textlabel_t *label = ED_label(e))
            shape.labelAt = at(label->pos);
        layout.arrows.push_back(shape);
    }
    char *svg = nullptr;
    unsigned int length = 0;
    if (gvRenderData(g.context, g.graph, "svg", &svg, &length) == 0 && svg) {
        layout.svg = QByteArray(svg, length);
        gvFreeRenderData(svg);
    }
    return layout;
}
