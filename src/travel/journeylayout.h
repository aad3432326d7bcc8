#pragma once

#include "journeygraph.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <optional>

// Where Graphviz put a journey's pages and arrows, in points with y growing downwards: read from
// its JSON ("-Tjson0") of a graph that JourneyDot wrote for layout. Pages and arrows the graph
// gained after it was written are not in it.
struct JourneyLayout
{
    struct ArrowShape
    {
        QPainterPath path; // a cubic curve from the arrow's start to the base of its head
        QPolygonF head;
        std::optional<QPointF> labelAt;
    };

    QRectF bounds;
    std::vector<QPointF> centres; // of the graph's first pages
    std::vector<std::optional<ArrowShape>> arrows; // by the graph's arrow index

    // An empty layout (no pages) when the text is not such a layout.
    static JourneyLayout fromJson(const QByteArray &json, const JourneyGraph &graph);

    // dot draws a journey as a flow from its start, but its time grows steeply with the pages and
    // arrows together (a second at 300, a minute at 500); past this the force-directed sfdp lays
    // out thousands in seconds.
    static constexpr size_t flowLimit = 250;
    static bool asFlow(size_t pages, size_t arrows) { return pages + arrows <= flowLimit; }
};
