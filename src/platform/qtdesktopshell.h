#pragma once

#include "desktopshell.h"

class QtDesktopShell : public DesktopShell
{
public:
    void open(const QString &target, const QString &verb) override;
};
