#pragma once

#include "desktopshell.h"

// The desktop's default handlers; the three control-panel names ("wscui.cpl" security,
// "mmsys.cpl" sound, "inetcpl.cpl" network) open the matching panel of the running desktop's
// settings program, or a common panel program, whichever is installed.
class QtDesktopShell : public DesktopShell
{
public:
    bool open(const QString &target, const QString &verb) override;
};
