#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a call on the event loop, so that the program closes its
// window (and saves its files) as if the user had closed it.
class ExitSignals : public QObject
{
    Q_OBJECT
public:
    explicit ExitSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~ExitSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
