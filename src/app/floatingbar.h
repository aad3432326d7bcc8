#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

class QWidget;
struct ProgramState;

// The floating bar of the main window: while it is on, Timer1 watches the pointer, and the lower
// band of bars goes when the pointer leaves the window's top and comes back when it returns there.
class FloatingBar : public QObject
{
    Q_OBJECT
public:
    static constexpr int firstWatchMs = 5000;
    static constexpr int watchMs = 1500;
    static constexpr int floatingWatchMs = 750;

    // band: the bars that go and come; changed: told when they went or came, for the views to take
    // the room that changed.
    FloatingBar(ProgramState &state, QWidget &window, QWidget *band, std::function<void()> changed);

    void GO_BarOff();
    void GO_BarOn();
    void setOn(bool on);
    // A floating bar read from the options starts watching a while after the start.
    void startAfterLoad();
    // Nothing goes while a menu is open or the user is in the address box.
    void pause() { Timer1.stop(); }
    void resume();

    // Where the pointer is, in screen pixels (the desktop's pointer unless a test gives another).
    void setPointerSource(std::function<QPoint()> pointer) { m_pointer = std::move(pointer); }

    QTimer Timer1;
    void Timer1_Timer();

private:
    ProgramState &m_state;
    QWidget &m_window;
    QWidget *m_band;
    std::function<void()> m_changed;
    std::function<QPoint()> m_pointer;
};
