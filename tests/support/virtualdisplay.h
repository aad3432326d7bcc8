#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// An X server of its own (Xvfb) for a test that drives the program's window as a user would, with
// xdotool typing and clicking into it.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        for (int number = 90 + QCoreApplication::applicationPid() % 50; number < 200; ++number) {
            if (QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(number)) ||
                QFileInfo::exists(QString("/tmp/.X%1-lock").arg(number)))
                continue;
            m_name = QString(":%1").arg(number);
            m_server.start("Xvfb", {m_name, "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
            if (m_server.waitForStarted(5000) &&
                QTest::qWaitFor([number] { return QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(number)); },
                                10000))
                return;
            m_server.kill();
            m_server.waitForFinished();
        }
        m_name.clear();
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
