#include "journeypicture.h"

#include "journeyarrowitem.h"
#include "journeypageitem.h"

#include <QtMath>

namespace {

constexpr double columnWidth = 280, rowHeight = 40, besideLayout = 80, headLength = 8;

QPolygonF headOf(QPointF tip, QPointF base)
{
    const QPointF along = tip - base, across(-along.y() / 2.5, along.x() / 2.5);
    return QPolygonF({tip, base + across, base - across});
}

// Where the line from the box's centre towards a point leaves the box.
QPointF borderTowards(const QRectF &box, QPointF towards)
{
    const QPointF centre = box.center(), d = towards - centre;
    if (qFuzzyIsNull(d.x()) && qFuzzyIsNull(d.y()))
        return centre;
    const double tx = qFuzzyIsNull(d.x()) ? 1e9 : box.width() / 2 / std::abs(d.x());
    const double ty = qFuzzyIsNull(d.y()) ? 1e9 : box.height() / 2 / std::abs(d.y());
    return centre + d * std::min({tx, ty, 1.0});
}

// Enough rows that the pages still to be placed make a block about as high as it is wide.
int rowsFor(qsizetype pages, double besideHeight)
{
    return std::max({8, int(besideHeight / rowHeight), int(std::ceil(std::sqrt(pages * columnWidth / rowHeight)))});
}

} // namespace

JourneyPicture::JourneyPicture(QObject *parent) : QGraphicsScene(parent)
{
    // Whole pictures are moved at once by every layout; an index would be rebuilt each time.
    setItemIndexMethod(QGraphicsScene::NoIndex);
}

QColor JourneyPicture::hostColour(int host) { return QColor::fromHsv((host * 137) % 360, 70, 250); }

void JourneyPicture::clearJourney()
{
    clear();
    m_pages.clear();
    m_arrows.clear();
    m_arrangedPages = 0;
    m_arranged = QRectF();
    m_waiting = 0;
    m_waitingRows = 8;
    m_shownSteps = 0;
    setSceneRect(QRectF());
}

void JourneyPicture::follow(const JourneyGraph &graph)
{
    if (m_waiting == 0 && m_arrangedPages == 0)
        m_waitingRows = rowsFor(qsizetype(graph.nodes.size()), 0);
    for (size_t i = 0; i < graph.nodes.size(); ++i) {
        const JourneyGraph::Node &node = graph.nodes[i];
        const QString text = JourneyGraph::nodeText(node);
        if (i >= m_pages.size()) {
            auto *page = new JourneyPageItem(text, hostColour(node.host), node.address);
            addItem(page);
            m_pages.push_back(page);
            placeWaiting(page);
        } else {
            m_pages[i]->setText(text);
        }
        m_pages[i]->setTravelBegan(!node.travelsBegun.isEmpty());
    }
    for (size_t i = 0; i < graph.arrows.size(); ++i) {
        const JourneyGraph::Arrow &steps = graph.arrows[i];
        if (i >= m_arrows.size()) {
            auto *arrow = new JourneyArrowItem;
            addItem(arrow);
            m_arrows.push_back(arrow);
            drawStraight(arrow, steps);
        } else if (m_arrows[i]->stepCount() == int(steps.steps.size())) {
            continue;
        }
        m_arrows[i]->setStepCount(int(steps.steps.size()));
        m_arrows[i]->setText(JourneyGraph::arrowText(steps), JourneyGraph::arrowSteps(steps));
    }
    m_shownSteps = graph.steps;
    fitSceneRect();
}

void JourneyPicture::arrange(const JourneyGraph &graph, const JourneyLayout &layout)
{
    m_arranged = layout.bounds;
    m_arrangedPages = std::min(layout.centres.size(), m_pages.size());
    for (size_t i = 0; i < m_arrangedPages; ++i)
        m_pages[i]->setCentre(layout.centres[i]);
    m_waiting = 0;
    m_waitingRows = rowsFor(qsizetype(m_pages.size() - m_arrangedPages), m_arranged.height());
    for (size_t i = m_arrangedPages; i < m_pages.size(); ++i)
        placeWaiting(m_pages[i]);
    for (size_t i = 0; i < m_arrows.size() && i < graph.arrows.size(); ++i) {
        const auto &shape = i < layout.arrows.size() ? layout.arrows[i] : std::nullopt;
        if (shape)
            m_arrows[i]->setShape(shape->path, shape->head, shape->labelAt.value_or(shape->path.pointAtPercent(0.5)));
        else
            drawStraight(m_arrows[i], graph.arrows[i]);
    }
    fitSceneRect();
}

void JourneyPicture::placeWaiting(JourneyPageItem *page)
{
    const int column = m_waiting / m_waitingRows, row = m_waiting % m_waitingRows;
    const double left = m_arranged.isNull() ? 0 : m_arranged.right() + besideLayout;
    page->setCentre(QPointF(left + column * columnWidth + page->box().width() / 2,
                            m_arranged.top() + row * rowHeight + rowHeight / 2));
    ++m_waiting;
}

void JourneyPicture::drawStraight(JourneyArrowItem *arrow, const JourneyGraph::Arrow &steps)
{
    const QRectF from = m_pages[steps.from]->box(), to = m_pages[steps.to]->box();
    QPainterPath path;
    if (steps.from == steps.to) {
        const QPointF start(from.right() - 8, from.top()), tip(from.right(), from.center().y());
        const QPointF base = tip + QPointF(headLength, 0);
        path.moveTo(start);
        path.cubicTo(start + QPointF(0, -24), QPointF(from.right() + 24, from.center().y()), base);
        arrow->setShape(path, headOf(tip, base), QPointF(from.right() + 14, from.top() - 12));
        return;
    }
    const QPointF start = borderTowards(from, to.center()), tip = borderTowards(to, from.center());
    const QPointF along = tip - start;
    const double length = std::max(1.0, std::hypot(along.x(), along.y()));
    const QPointF base = tip - along * (headLength / length);
    path.moveTo(start);
    path.cubicTo(start + (base - start) / 3, start + (base - start) * 2 / 3, base);
    const QPointF across(-along.y() / length * 7, along.x() / length * 7);
    arrow->setShape(path, headOf(tip, base), (start + tip) / 2 + across);
}

void JourneyPicture::fitSceneRect() { setSceneRect(itemsBoundingRect().adjusted(-10, -10, 10, 10)); }

std::vector<QSizeF> JourneyPicture::boxSizes() const
{
    std::vector<QSizeF> sizes;
    sizes.reserve(m_pages.size());
    for (const JourneyPageItem *page : m_pages)
        sizes.push_back(page->box().size());
    return sizes;
}

int JourneyPicture::pageAt(QPointF point) const
{
    for (size_t i = m_pages.size(); i-- > 0;) {
        if (m_pages[i]->box().contains(point))
            return int(i);
    }
    return -1;
}

QPointF JourneyPicture::pageCentre(int page) const { return m_pages.at(page)->box().center(); }

QByteArray JourneyPicture::drawingDot(const JourneyGraph &graph) const
{
    std::vector<JourneyDot::Page> pages;
    for (size_t i = 0; i < m_pages.size() && i < graph.nodes.size(); ++i) {
        const JourneyPageItem *page = m_pages[i];
        pages.push_back({page->box(), page->text(), graph.nodes[i].address, page->fill(), page->travelBegan()});
    }
    std::vector<JourneyDot::Arrow> arrows;
    for (size_t i = 0; i < m_arrows.size() && i < graph.arrows.size(); ++i) {
        const JourneyArrowItem *arrow = m_arrows[i];
        arrows.push_back({graph.arrows[i].from, graph.arrows[i].to, arrow->path(), arrow->tip(), arrow->text(),
                          arrow->labelAt(), JourneyGraph::arrowSteps(graph.arrows[i])});
    }
    return JourneyDot::forDrawing(sceneRect(), pages, arrows);
}
