#pragma once

#include "graphvizrun.h"
#include "journeygraph.h"
#include "journeylayout.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

// Lays out the journey a window shows, with Graphviz's programs, one layout at a time: the steps
// that come while one runs are laid out together by the next, which waits as long again as the
// last one took, so that a long journey takes Graphviz half a processor at most. A layout no
// longer wanted is ended at once, never waited for. dot, when it takes too long over a journey,
// is ended and sfdp lays that journey out instead, from then on.
class JourneyLayouter : public QObject
{
    Q_OBJECT
public:
    static constexpr int flowLimitMs = 5000, layoutLimitMs = 300000;

    // boxes: the sizes of the graph's pages as the picture draws them.
    JourneyLayouter(const JourneyGraph &graph, std::function<std::vector<QSizeF>()> boxes, QObject *parent = nullptr);
    ~JourneyLayouter() override;

    // Lays the graph out as it is when the layout starts: now, or after the one running.
    void request();
    // Ends the layout running and forgets those asked for: another journey is shown.
    void abandon();
    bool busy() const { return m_run != nullptr || m_wanted; }

signals:
    void laidOut(const JourneyLayout &layout);
    // Graphviz cannot lay this journey out (its programs missing, or failing).
    void unavailable(const QString &detail);

private:
    void start();
    void finish(const QByteArray &json);
    void fail(GraphvizRun::Failure failure, const QString &detail);
    void rest();

    const JourneyGraph &m_graph;
    std::function<std::vector<QSizeF>()> m_boxes;
    std::unique_ptr<GraphvizRun> m_run;
    bool m_flow = false;
    size_t m_size = 0;
    bool m_wanted = false;
    bool m_givenUp = false;
    size_t m_flowTooSlowFrom = SIZE_MAX;
    QTimer m_rest;
};
