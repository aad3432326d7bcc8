#include "floatingbar.h"

#include "core/programstate.h"
#include "mainlayout.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QCursor>
#include <QWidget>

FloatingBar::FloatingBar(ProgramState &state, QWidget &window, QWidget *band, std::function<void()> changed)
    : QObject(&window), m_state(state), m_window(window), m_band(band), m_changed(std::move(changed)),
      m_pointer([] { return QCursor::pos(); })
{
    connect(&Timer1, &QTimer::timeout, this, &FloatingBar::Timer1_Timer);
}

void FloatingBar::GO_BarOff()
{
    if (!m_state.barsShown)
        return;
    m_band->hide();
    m_state.barsShown = false;
    m_changed();
}

void FloatingBar::GO_BarOn()
{
    if (!m_state.barsShown) {
        m_band->show();
        m_state.barsShown = true;
        m_changed();
        m_window.setFocus();
    }
    QCoreApplication::processEvents();
}

void FloatingBar::Timer1_Timer()
{
    const double pointerY = Twips::fromPixels(m_pointer().y());
    const double top = Twips::fromPixels(m_window.frameGeometry().top());
    if (m_state.barsShown) {
        if (top + MainLayout::picBarHeight + 400 > pointerY)
            return;
        GO_BarOff();
    } else if (top + 420 > pointerY) {
        GO_BarOn();
    }
    if (Timer1.interval() != watchMs)
        Timer1.setInterval(watchMs);
}

void FloatingBar::setOn(bool on)
{
    if (on) {
        Timer1.start(floatingWatchMs);
        m_state.floatingBar = 1;
        m_state.barsShown = true;
        GO_BarOff();
    } else {
        Timer1.stop();
        m_state.floatingBar = 0;
    }
}

void FloatingBar::startAfterLoad()
{
    if (m_state.floatingBar == 1) {
        Timer1.start(firstWatchMs);
        m_state.barsShown = true;
    }
}

void FloatingBar::resume()
{
    if (m_state.floatingBar == 1)
        Timer1.start();
}
