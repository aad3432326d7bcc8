#pragma once

#include "platform/desktopshell.h"

class NewWindowPolicy;

// The program's own documents that the engine shows (its HTML manual, its PDF help) open in a
// tab of the program, as a page asking for a new window would; everything else goes on to the
// desktop.
class DocumentShell : public DesktopShell
{
public:
    DocumentShell(DesktopShell &desktop, NewWindowPolicy &tabs) : m_desktop(desktop), m_tabs(tabs) {}

    bool open(const QString &target, const QString &verb = QString()) override;

private:
    DesktopShell &m_desktop;
    NewWindowPolicy &m_tabs;
};
