#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs steps on a modal window of the given kind as soon as it shows, for as long as the driver
// lives: a test drives a window that its caller opens with exec(). The window is closed
// afterwards if the steps left it open, so a failing test never hangs.
template<typename Window>
class ModalDriver
{
public:
    explicit ModalDriver(std::function<void(Window &)> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
            if (!window || !window->isVisible())
                return;
            m_timer.stop();
            seen = true;
            m_steps(*window);
            if (window->isVisible())
                window->reject();
        });
        m_timer.start(10);
    }

    bool seen = false;

private:
    std::function<void(Window &)> m_steps;
    QTimer m_timer;
};
