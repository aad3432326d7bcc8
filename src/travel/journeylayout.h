#pragma once

#include "journeygraph.h"

#include <QColor>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

// A journey graph laid out by Graphviz (dot, or sfdp for a long one), in points with y growing downwards, and the same
// layout as Graphviz's own SVG.
struct JourneyLayout
{
    struct NodeShape
    {
        QRectF box;
    };
    struct ArrowShape
    {
        QPainterPath path;
        QPolygonF head;
        QPointF labelAt;
    };

    QRectF bounds;
    std::vector<NodeShape> nodes; // in the graph's order
    std::vector<ArrowShape> arrows;
    QByteArray svg;

    static JourneyLayout of(const JourneyGraph &graph);

    // The fill of the pages of one host; neighbouring hosts differ.
    static QColor hostColour(int host);
    // The label a node shows: its title, and how often the journey came to it when more than once.
    static QString nodeText(const JourneyGraph::Node &node);
};
