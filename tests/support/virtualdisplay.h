#pragma once

#include <QProcess>
#include <QTest>

// An X server of its own (Xvfb) for a test that drives the program's window as a user would, with
// xdotool typing and clicking into it.
class VirtualDisplay
{
public:
    // The server picks a free display itself and says which: two tests starting at once never
    // take the same one. It never resets: by default it does each time its last client leaves, and
    // a program connecting just then (while a test's xdotool comes and goes) is turned away.
    VirtualDisplay()
    {
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"});
        if (!m_server.waitForStarted(5000))
            return;
        if (!QTest::qWaitFor([this] { return m_server.canReadLine() || m_server.state() != QProcess::Running; }, 10000))
            return;
        const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
        if (m_server.state() == QProcess::Running && !number.isEmpty())
            m_name = ":" + number;
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

    bool isReady() const { return !m_name.isEmpty(); }
    const QString &name() const { return m_name; }

    // Runs xdotool on this display; its standard output.
    QString xdotool(const QStringList &arguments, int timeoutMs = 20000) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", m_name);
        tool.setProcessEnvironment(environment);
        tool.start("xdotool", arguments);
        tool.waitForFinished(timeoutMs);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

private:
    QString m_name;
    QProcess m_server;
};
