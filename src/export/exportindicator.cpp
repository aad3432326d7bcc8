#include "exportindicator.h"

#include "core/programstate.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

ExportIndicator::ExportIndicator(ProgramState &state, QWidget *window, QLabel *statusLine)
    : m_state(state), m_window(window), m_statusLine(statusLine)
{
}

bool ExportIndicator::begin(const QString &doing, bool translucent)
{
    if (m_running)
        return false;
    m_running = true;
    if (m_window && translucent)
        m_window->setWindowOpacity(m_state.exportAlpha / 255.0);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    show(doing);
    return true;
}

void ExportIndicator::show(const QString &doing)
{
    if (m_statusLine)
        m_statusLine->setText(doing);
}

void ExportIndicator::end()
{
    if (!m_running)
        return;
    m_running = false;
    if (m_window)
        m_window->setWindowOpacity(m_state.opaqueAlpha / 255.0);
    QApplication::restoreOverrideCursor();
    show(QString());
}
