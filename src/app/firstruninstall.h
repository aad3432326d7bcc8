#pragma once

#include <QString>

class AppFolder;

// The first-run installation: the files delivered beside the executable (link tables,
// language files, the two Word templates) are moved into the folders below it.
class FirstRunInstall
{
public:
    static inline const QString markerName = QStringLiteral("\\TamzoFirst.txt");

    static bool pending(const AppFolder &folder);

    // Empty when the installation is complete (the marker is then gone); otherwise the message
    // to show before the program ends, and the marker stays for the next start.
    static QString Move_Data(const AppFolder &folder);
};
