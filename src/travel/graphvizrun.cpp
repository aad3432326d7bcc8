#include "graphvizrun.h"

#include "platform/childenvironment.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

GraphvizRun::GraphvizRun(const QString &program, const QStringList &arguments, const QByteArray &graph, int limitMs,
                         QObject *parent)
    : QObject(parent)
{
    m_clock.start();
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this, program] {
        m_process.kill();
        fail(Failure::TooSlow, program);
    });
    // Queued: a program that cannot be started is reported within start(), before anyone listens.
    connect(
        &m_process, &QProcess::errorOccurred, this,
        [this, program](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                fail(Failure::Missing, program % u": " % m_process.errorString());
        },
        Qt::QueuedConnection);
    connect(&m_process, &QProcess::finished, this, [this, program](int code, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && code == 0) {
            m_limit.stop();
            if (!std::exchange(m_over, true))
                emit finished(m_process.readAllStandardOutput());
            return;
        }
        fail(Failure::Broken, program % u": " % QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed().right(300));
    });
    m_process.setProcessEnvironment(ChildEnvironment::get());
    m_process.setChildProcessModifier([] {
        // The layout gives way to the program and its pages, and goes when the program goes.
        [[maybe_unused]] const int niceness = ::nice(10);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    m_process.start(program, arguments);
    m_process.write(graph);
    m_process.closeWriteChannel();
    m_limit.start(limitMs);
}

GraphvizRun::~GraphvizRun()
{
    m_over = true;
    if (m_process.state() == QProcess::NotRunning)
        return;
    // A killed program is reaped at once; nothing here waits for its work.
    m_process.kill();
    m_process.waitForFinished(1000);
}

void GraphvizRun::fail(Failure failure, const QString &detail)
{
    m_limit.stop();
    if (!std::exchange(m_over, true))
        emit failed(failure, detail);
}
