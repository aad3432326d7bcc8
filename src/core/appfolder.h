#pragma once

#include <QString>

// The folder of the executable. Every file the program touches lies in it or below it.
// Names are given as "\Data\TamzoTravel.Opt" and matched without regard to case.
class AppFolder
{
public:
    explicit AppFolder(QString root);

    const QString &root() const { return m_root; }

    // Resolves a relative name component by component: an existing entry whose name matches
    // exactly wins, then one that matches without regard to case, otherwise the name as given.
    QString path(QStringView name) const;

private:
    QString m_root;
};
