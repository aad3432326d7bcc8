#include "windowplacement.h"

#include "core/programstate.h"
#include "platform/twips.h"
#include "settings/windowsettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRectF WindowPlacement::screenTwips()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QRectF(0, 0, Twips::fromPixels(screen.width()), Twips::fromPixels(screen.height()));
}

QRectF WindowPlacement::windowTwips(const QWidget &window)
{
    const QRect geometry = window.geometry();
    return QRectF(Twips::fromPixels(geometry.left()), Twips::fromPixels(geometry.top()),
                  Twips::fromPixels(geometry.width()), Twips::fromPixels(geometry.height()));
}

void WindowPlacement::placeFromSettings(QWidget &window, const ProgramState &state)
{
    if (state.mainFullScreen == WindowSettings::fullScreen)
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    else
        window.setGeometry(keptOnScreen(Twips::toPixels(state.mainLeft, state.mainTop, state.mainWidth, state.mainHeight)));
}

QRect WindowPlacement::keptOnScreen(const QRect &window)
{
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->geometry().intersects(window))
            return window;
    }
    QRect moved = window;
    moved.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    return moved;
}

void WindowPlacement::fillScreen(QWidget &window)
{
    if (window.windowState() != Qt::WindowNoState)
        return;
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
}
