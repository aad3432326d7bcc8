#pragma once

#include "tempappfolder.h"

#include <QProcess>
#include <QTest>
#include <csignal>

// The built program started in a temporary application folder, as a user would start it.
class ProgramRun
{
public:
    explicit ProgramRun(const TempAppFolder &folder) : m_executable(folder.installExecutable())
    {
        m_process.setWorkingDirectory(folder.root());
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    // A program installed elsewhere, started as the desktop's menu would start it.
    explicit ProgramRun(QString executable) : m_executable(std::move(executable))
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    ~ProgramRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Shows the window on an X display instead of the headless platform.
    void useDisplay(const QString &display)
    {
        setEnvironment("DISPLAY", display);
        setEnvironment("QT_QPA_PLATFORM", "xcb");
    }

    void setEnvironment(const QString &name, const QString &value)
    {
        QProcessEnvironment environment = m_process.processEnvironment();
        if (environment.isEmpty())
            environment = QProcessEnvironment::systemEnvironment();
        environment.insert(name, value);
        m_process.setProcessEnvironment(environment);
    }

    void setEnvironment(const QProcessEnvironment &environment) { m_process.setProcessEnvironment(environment); }

    // These signals wait, held back, until the program itself lets them through: one sent at once
    // after the start arrives at the program's first instruction that accepts it.
    void holdSignals(QList<int> signalNumbers)
    {
        m_process.setChildProcessModifier([signalNumbers] {
            sigset_t held;
            sigemptyset(&held);
            for (const int number : signalNumbers)
                sigaddset(&held, number);
            sigprocmask(SIG_BLOCK, &held, nullptr);
        });
    }

    // Sends a signal without waiting.
    void send(int signal) { ::kill(static_cast<pid_t>(m_process.processId()), signal); }
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    bool start(const QStringList &arguments = {})
    {
        m_process.start(m_executable, arguments);
        return m_process.waitForStarted(10000);
    }

    // Sends a signal and waits for the program to end; true when it ended normally.
    bool endWith(int signal, int timeoutMs = 30000)
    {
        ::kill(static_cast<pid_t>(m_process.processId()), signal);
        return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs) &&
               m_process.exitStatus() == QProcess::NormalExit;
    }

    // Waits for a condition while the program runs; false at once when it has ended.
    template<typename Condition>
    bool waitWhileRunning(Condition condition, int timeoutMs = 20000)
    {
        return QTest::qWaitFor([&] { return condition() || m_process.state() == QProcess::NotRunning; }, timeoutMs) &&
               condition();
    }

    bool waitForEnd(int timeoutMs = 30000)
    {
        return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
    }

    int exitCode() const { return m_process.exitCode(); }
    bool endedNormally() const { return m_process.exitStatus() == QProcess::NormalExit; }
    // Everything the program has written so far, standard error included.
    QString output()
    {
        m_output += QString::fromUtf8(m_process.readAll());
        return m_output;
    }

private:
    QString m_executable;
    QProcess m_process;
    QString m_output;
};
