#pragma once

#include <QProcessEnvironment>
#include <QString>

// The folder every file the program touches lies in or below, and the folder its delivered
// files (languages, templates, link index, documents) come from.
// Names are given as "\Data\TamzoTravel.Opt" and matched without regard to case.
class AppFolder
{
public:
    // A folder whose delivered files are staged inside it (the build folder and the tests).
    explicit AppFolder(QString root);
    // A folder set up from delivered files that stay where they are installed.
    AppFolder(QString root, QString deliveredFolder);

    // Decided by the layout, not by write permission (which root always has): an executable whose
    // delivered files stand in ../share/tamzotravel beside its bin/ folder is installed and keeps each
    // user's files in $XDG_DATA_HOME/TamzoTravel (by default ~/.local/share/TamzoTravel); any other
    // runs in its own folder.
    static AppFolder forExecutable(const QString &executableFolder, const QProcessEnvironment &environment);

    const QString &root() const { return m_root; }
    const QString &deliveredFolder() const { return m_delivered; }
    // True when the delivered files are installed apart and must be copied, never moved.
    bool installed() const { return m_delivered != m_root; }

    // Resolves a relative name component by component: an existing entry whose name matches
    // exactly wins, then one that matches without regard to case, otherwise the name as given.
    QString path(QStringView name) const;

private:
    QString m_root;
    QString m_delivered;
};
