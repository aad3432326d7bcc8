#pragma once

#include "journeygraph.h"

#include <QByteArray>
#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>

// A journey written in Graphviz's DOT language: to be laid out (pages as boxes of the sizes the
// picture gives them, arrows labelled when the layout places their labels), and as the picture
// draws it, every position given, for Graphviz to draw as SVG. A text from a page goes in as
// typed: DOT's quotes and Graphviz's label escapes ("\N", "\G", "\l") mean nothing in it.
class JourneyDot
{
public:
    static QByteArray forLayout(const JourneyGraph &graph, const std::vector<QSizeF> &boxes, bool flow);

    struct Page
    {
        QRectF box;
        QString text;
        QString address;
        QColor fill;
        bool travelBegan = false;
    };
    struct Arrow
    {
        int from = 0;
        int to = 0;
        QPainterPath path;
        QPointF tip;
        QString text;
        QPointF labelAt;
        QString steps;
    };
    // Positions in the picture's points, y growing downwards, within bounds.
    static QByteArray forDrawing(const QRectF &bounds, const std::vector<Page> &pages, const std::vector<Arrow> &arrows);

    // A DOT string that Graphviz shows as the text given.
    static QByteArray label(const QString &text);
};
