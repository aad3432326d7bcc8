#pragma once

#include "journeydot.h"
#include "journeygraph.h"
#include "journeylayout.h"

#include <QGraphicsScene>

class JourneyArrowItem;
class JourneyPageItem;

// The journey drawn: the pages and arrows of the latest layout where Graphviz put them, and what
// the journey gained since beside them, in columns to the right with straight arrows, until the
// next layout places them too. So the picture follows every step at once, however long Graphviz
// takes over a long journey.
class JourneyPicture : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit JourneyPicture(QObject *parent = nullptr);

    void clearJourney();
    // Draws what the graph holds that the picture does not show yet.
    void follow(const JourneyGraph &graph);
    // Moves the pages and arrows a layout of the graph placed to their places.
    void arrange(const JourneyGraph &graph, const JourneyLayout &layout);

    // The boxes of the pages, for a layout.
    std::vector<QSizeF> boxSizes() const;
    int shownSteps() const { return m_shownSteps; }
    int pageCount() const { return int(m_pages.size()); }
    // The page drawn at a point, -1 when none.
    int pageAt(QPointF point) const;
    QPointF pageCentre(int page) const;
    // The picture as drawn, for Graphviz to draw as SVG.
    QByteArray drawingDot(const JourneyGraph &graph) const;

    static QColor hostColour(int host);

private:
    void placeWaiting(JourneyPageItem *page);
    void drawStraight(JourneyArrowItem *arrow, const JourneyGraph::Arrow &steps);
    void fitSceneRect();

    std::vector<JourneyPageItem *> m_pages;
    std::vector<JourneyArrowItem *> m_arrows;
    // How many of the first pages the latest layout placed.
    size_t m_arrangedPages = 0;
    QRectF m_arranged;
    int m_waiting = 0;
    int m_waitingRows = 8;
    int m_shownSteps = 0;
};
