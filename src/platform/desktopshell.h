#pragma once

#include <QString>

// Hands a file or an address to the desktop, which opens it with its default handler.
class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    // verb is the operation asked for; empty means the default one ("open"). False when the
    // desktop has nothing to open it with (a settings panel this desktop does not offer).
    virtual bool open(const QString &target, const QString &verb = QString()) = 0;
};
