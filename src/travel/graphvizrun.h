#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTimer>

// One run of one of Graphviz's programs ("dot", "sfdp", "neato"): the graph goes in on its
// standard input and the drawing comes out on its standard output. It runs at a lower priority
// than the program, ends with it, and is ended at once when its run is no longer wanted (the run
// destroyed) or takes longer than its time limit.
class GraphvizRun : public QObject
{
    Q_OBJECT
public:
    enum class Failure { Missing, TooSlow, Broken };

    GraphvizRun(const QString &program, const QStringList &arguments, const QByteArray &graph, int limitMs,
                QObject *parent = nullptr);
    ~GraphvizRun() override;

    qint64 elapsedMs() const { return m_clock.elapsed(); }

signals:
    void finished(const QByteArray &output);
    void failed(GraphvizRun::Failure failure, const QString &detail);

private:
    void fail(Failure failure, const QString &detail);

    QProcess m_process;
    QTimer m_limit;
    QElapsedTimer m_clock;
    bool m_over = false;
};
