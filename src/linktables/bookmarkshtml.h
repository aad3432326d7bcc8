#pragma once

#include "linkrow.h"

#include <QString>
#include <vector>

// The bookmarks file that every desktop browser imports and exports (the "NETSCAPE-Bookmark-file-1"
// HTML): folders of links, each link with its title, address, date added and description.
// A link row's notes are the description; its secret goes out only when asked for, in an
// attribute that browsers ignore and this reader takes back.
class BookmarksHtml
{
public:
    struct Folder
    {
        // Empty for the links outside every folder.
        QString title;
        std::vector<LinkRow> rows;
    };
    struct Contents
    {
        // The links outside every folder first, then every folder, nested ones flattened, in the
        // order of the file; folders without links are left out.
        std::vector<Folder> folders;
        // Entries that cannot be a link of a table (no address, or a script, data or query
        // address).
        int skipped = 0;
    };

    // Every field made storable in a table file; a link's date is its own when the file gives one,
    // otherwise today.
    static Contents read(const QString &html, const QString &today);
    static QString write(const std::vector<Folder> &folders, bool withSecrets);

    // A folder's name as a table title: no comma, no line break.
    static QString tableTitle(const QString &folderName);
};
