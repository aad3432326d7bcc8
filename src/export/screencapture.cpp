#include "screencapture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

ScreenCapture::ScreenCapture(QWidget *window, std::function<void()> barsOff, std::function<void()> barsOn,
                             QObject *parent)
    : QObject(parent), m_window(window), m_barsOff(std::move(barsOff)), m_barsOn(std::move(barsOn))
{
}

void ScreenCapture::Load_ClipBoard(std::function<void(const QPixmap &)> done)
{
    m_barsOff();
    m_window->repaint();
    QTimer::singleShot(redrawMs, this, [this, done = std::move(done)] {
        QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
        const QPixmap picture = screen ? screen->grabWindow(0) : QPixmap();
        if (!picture.isNull())
            QGuiApplication::clipboard()->setPixmap(picture);
        m_barsOn();
        m_window->repaint();
        done(picture);
    });
}
