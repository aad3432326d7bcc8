#pragma once

#include "core/textfile.h"

#include <QObject>
#include <QTimer>
#include <functional>

class DesktopShell;
class QComboBox;
class QLabel;
class TabSet;
struct ProgramState;

// Travel: every travelSpeed ticks of the 30-second Timer2 a random link of the active page is
// logged and opened; Timer3 shows the seconds left in the countdown field.
class TravelEngine : public QObject
{
    Q_OBJECT
public:
    static inline const QString logFileName = QStringLiteral("\\TravelLog.txt");
    static constexpr int stepIntervalMs = 30000;
    static constexpr int countdownIntervalMs = 1000;

    TravelEngine(ProgramState &state, TabSet &tabs, QComboBox *addressBox, QLabel *timeBar,
                 DesktopShell &shell);

    // A uniform draw in [0, 1); the default one is reseeded from the clock at every step.
    void setRandomSource(std::function<double()> uniform) { m_uniform = std::move(uniform); }

    void GO_InitTravel();
    void GO_Travel_Links();
    bool stepInFlight() const { return m_stepInFlight; }

    // The travel commands.
    void startTravel(qint16 speed);
    void stopTravel();
    void showLog();

    // Stops both timers and empties the countdown field (every command does this first).
    void interrupt();

    // Empties the log for a new run.
    WriteResult emptyLog();

    QTimer Timer2;
    QTimer Timer3;

public slots:
    void Timer2_Timer();
    void Timer3_Timer();

signals:
    // A step has ended: with the address it opened, or empty when it had none to open.
    void stepDone(const QString &openedAddress);

private:
    void finishStep(class WebView *view, const QStringList &hrefs);

    ProgramState &m_state;
    TabSet &m_tabs;
    QComboBox *m_addressBox;
    QLabel *m_timeBar;
    DesktopShell &m_shell;
    std::function<double()> m_uniform;
    bool m_stepInFlight = false;
};
