#pragma once

#include "bookmarkshtml.h"
#include "core/textfile.h"

struct ProgramState;

// Links moved between a browser's bookmarks file and the tables the link-table window reaches,
// through the tables' own reading and saving rules.
class BookmarkTransfer
{
public:
    struct Imported
    {
        int imported = 0;
        // Not links, or links the table holds already.
        int skipped = 0;
        // No room for them: no free table for their folder, a full table, or a table not saved.
        int refused = 0;
        // The first save that failed; nothing is imported after it.
        WriteResult failure;
    };

    // byFolder: each folder goes to the table of its title, a title not found taking the first
    // table without rows (never the current one); links outside the folders go to the current
    // table. Otherwise every link goes to the current table. Each table is filled and saved once,
    // in the order the file names them; the current table is selected again afterwards.
    static Imported merge(ProgramState &state, BookmarksHtml::Contents contents, bool byFolder);

    // The stored links of the current table, or of every table that holds links, each table a
    // folder of its title.
    static std::vector<BookmarksHtml::Folder> stored(const ProgramState &state, bool allTables);
    static int linkCount(const std::vector<BookmarksHtml::Folder> &folders);
};
