#pragma once

#include "core/textfile.h"

struct ProgramState;

// The index "\Links\Links.Bok": one line a table, its title, a comma and its row count, and the
// table files it names ("\Links\Links.000" ... "\Links\Links.104").
class LinkIndex
{
public:
    static inline const QString indexExtension = QStringLiteral("Bok");
    static constexpr int defaultTitleCaption = 34;
    // A count read is taken as at most this: a damaged index never makes a table of countless
    // blank rows. Rows beyond it that the file holds are still read (see LinkTableFile::read).
    static constexpr int maxCount = 32767;

    // The extension of a table's file: its number in three digits, "012".
    static QString tableExtension(int table);
    // A link file by its extension, found without regard to case.
    static QString filePath(const ProgramState &state, const QString &extension);
    // The entries the index keeps (150).
    static int entryCount(const ProgramState &state);

    // Sets linkFileStem, writes the default index when there is none, and reads the index.
    static WriteResult Load_Index(ProgramState &state);
    // Stores a pending title as the current table's title, then rewrites the index.
    static WriteResult Save_Title(ProgramState &state);
    // Every entry without rows takes the default title of the current language: "Table 7".
    static void nameEmptyTables(ProgramState &state);

    // The row count of entry 1..150 as a number (0 to maxCount).
    static int count(const ProgramState &state, int entry);
    // Makes table 0..104 the current one.
    static void selectTable(ProgramState &state, int table);

    // A title reads back as written when it holds no comma and no line break.
    static bool storableTitle(QStringView title);
    static QString defaultTitle(const ProgramState &state, int entry);
};
