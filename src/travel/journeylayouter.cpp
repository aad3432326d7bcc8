#include "journeylayouter.h"

#include "journeydot.h"

JourneyLayouter::JourneyLayouter(const JourneyGraph &graph, std::function<std::vector<QSizeF>()> boxes, QObject *parent)
    : QObject(parent), m_graph(graph), m_boxes(std::move(boxes))
{
    m_rest.setSingleShot(true);
    connect(&m_rest, &QTimer::timeout, this, [this] {
        if (m_wanted)
            start();
    });
}

JourneyLayouter::~JourneyLayouter() = default;

void JourneyLayouter::request()
{
    m_wanted = true;
    if (!m_run && !m_rest.isActive())
        start();
}

void JourneyLayouter::abandon()
{
    m_run.reset();
    m_rest.stop();
    m_wanted = false;
    m_givenUp = false;
}

void JourneyLayouter::start()
{
    if (m_givenUp || m_graph.nodes.empty()) {
        m_wanted = false;
        return;
    }
    m_wanted = false;
    m_size = m_graph.nodes.size() + m_graph.arrows.size();
    m_flow = JourneyLayout::asFlow(m_graph.nodes.size(), m_graph.arrows.size()) && m_size < m_flowTooSlowFrom;
    const QString program = m_flow ? QStringLiteral("dot") : QStringLiteral("sfdp");
    m_run = std::make_unique<GraphvizRun>(program, QStringList{QStringLiteral("-Tjson0")},
                                          JourneyDot::forLayout(m_graph, m_boxes(), m_flow),
                                          m_flow ? flowLimitMs : layoutLimitMs);
    connect(m_run.get(), &GraphvizRun::finished, this, &JourneyLayouter::finish);
    connect(m_run.get(), &GraphvizRun::failed, this, &JourneyLayouter::fail);
}

// The run ends after the signal it sends; it goes once that is over.
void JourneyLayouter::rest()
{
    const qint64 took = m_run->elapsedMs();
    m_run.release()->deleteLater();
    m_rest.start(int(std::min<qint64>(took, 60000)));
}

void JourneyLayouter::finish(const QByteArray &json)
{
    const JourneyLayout layout = JourneyLayout::fromJson(json, m_graph);
    rest();
    emit laidOut(layout);
}

void JourneyLayouter::fail(GraphvizRun::Failure failure, const QString &detail)
{
    const bool flowTooSlow = m_flow && failure == GraphvizRun::Failure::TooSlow;
    rest();
    if (flowTooSlow) {
        m_flowTooSlowFrom = m_size;
        m_rest.stop();
        start();
        return;
    }
    m_givenUp = true;
    emit unavailable(detail);
}
