#pragma once

#include "core/programstate.h"
#include "linktables/linkindex.h"
#include "tempappfolder.h"

#include <QFileInfo>
#include <QTest>

// The index and table files on a temporary application folder, as the link-table window uses them.
namespace LinkFolder {

inline constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

struct Tables
{
    Tables()
    {
        state.captions[34] = "Table";
        state.todayDate = "2026-12-08";
    }
    // Writes the index, loads it and makes the table current.
    void index(const QStringList &lines, int table = 0)
    {
        folder.write("Links/Links.Bok", lines);
        QVERIFY(LinkIndex::Load_Index(state).ok());
        LinkIndex::selectTable(state, table);
    }
    QStringList indexLines() const { return folder.readLines("Links/Links.Bok"); }
    QString line(int entry) const { return indexLines().value(entry - 1); }
    QFileDevice::Permissions permissions(const QString &relative) const
    {
        return QFileInfo(folder.path(relative)).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup |
                                                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                 QFileDevice::WriteGroup | QFileDevice::WriteOther);
    }

    TempAppFolder folder;
    ProgramState state{AppFolder(folder.root())};
};

inline QString row(const QString &title, const QString &secret)
{
    return QStringList{title, "http://a/", "note", secret, "typed", "2026-01-02"}.join(";-;");
}

} // namespace LinkFolder
