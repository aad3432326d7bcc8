#pragma once

#include <QString>

class AppFolder;

// The first-run installation: the delivered files (link tables, language files, the two Word
// templates, the help documents and manual) are put into the folders of the application folder.
// Delivered beside the executable they are moved in, once, while the marker is present; delivered
// to an installed share folder they are copied, and the installed copies stay untouched.
class FirstRunInstall
{
public:
    static inline const QString markerName = QStringLiteral("\\TamzoFirst.txt");
    // In an installed program's folder: the stamp of the delivered files it was last set up from.
    static inline const QString stampName = QStringLiteral("\\TamzoInstalled.txt");

    // Beside the executable: the marker is present. Installed: the folder has not been set up from
    // the delivered files as they stand now (the user's first start, or the program was updated).
    static bool pending(const AppFolder &folder);

    // Empty when the installation is complete (the marker is then gone, or the stamp written);
    // otherwise the message to show before the program ends, and the next start tries again.
    static QString Move_Data(const AppFolder &folder);

    // Changes whenever a delivered file is added, removed or changed.
    static QString deliveredStamp(const QString &deliveredFolder);
};
