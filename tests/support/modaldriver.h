#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on a modal window as soon as it shows, while the code that opened it waits in exec().
// Watches for five seconds at most, and no longer than this object lives.
template <typename Window>
class WhenShown
{
public:
    explicit WhenShown(std::function<void(Window *)> act) : m_timer(new QTimer)
    {
        m_timer->setInterval(10);
        const QDeadlineTimer deadline(5000);
        QTimer *timer = m_timer;
        QObject::connect(timer, &QTimer::timeout, [timer, act, deadline] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible()) {
                    timer->stop();
                    act(window);
                    return;
                }
            }
            if (deadline.hasExpired())
                timer->stop();
        });
        m_timer->start();
    }
    ~WhenShown() { delete m_timer; }
    WhenShown(const WhenShown &) = delete;
    WhenShown &operator=(const WhenShown &) = delete;

private:
    QPointer<QTimer> m_timer;
};
