#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop, so that the program closes its
// window (and saves its files) as if the user had closed it.
class ExitSignals : public QObject
{
    Q_OBJECT
public:
    // The first thing the program does, before any other thread exists: from then on these signals
    // never end the program by themselves. A signal that arrives before the event loop listens
    // waits for it. A SIGHUP ignored by whoever started the program (nohup) stays ignored.
    static void install();

    // Listens on the event loop. Signals arriving after this object is gone are ignored, so that
    // nothing cuts the shutdown short.
    explicit ExitSignals(std::function<void()> onSignal, QObject *parent = nullptr);

private:
    std::function<void()> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
