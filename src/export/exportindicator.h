#pragma once

#include <QPointer>
#include <QString>

class QLabel;
class QWidget;
struct ProgramState;

// Shows that an export runs: the main window translucent (exportAlpha), the busy pointer and
// what is being done on the status line. One export runs at a time.
class ExportIndicator
{
public:
    ExportIndicator(ProgramState &state, QWidget *window, QLabel *statusLine);

    bool running() const { return m_running; }
    // False when another export is running already.
    bool begin(const QString &doing, bool translucent = true);
    void show(const QString &doing);
    // Back to normal: opaque window (opaqueAlpha), arrow pointer, empty status line.
    void end();

private:
    ProgramState &m_state;
    QPointer<QWidget> m_window;
    QPointer<QLabel> m_statusLine;
    bool m_running = false;
};
