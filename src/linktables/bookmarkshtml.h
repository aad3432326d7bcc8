#pragma once

#include "linkrow.h"

#include <QString>
#include <vector>

// The bookmarks file that every desktop browser imports and exports (the "NETSCAPE-Bookmark-file-1"
// HTML): folders of links, each link with its title, address, date added and description.
// A link row's notes are the description; its secret goes out only when asked for, and its typed
// address when it is not the one the address gives, in attributes that browsers ignore and this
// reader takes back.
class BookmarksHtml
{
public:
    // Between the names of a folder and of a folder inside it, in a table's title.
    static inline const QString pathSeparator = QStringLiteral(" / ");
    // A folder whose title would be longer (a long name, or one nested deep) is named by its
    // title cut there.
    static constexpr qsizetype maxTitleLength = 200;

    struct Folder
    {
        // The folder's name after the names of the folders around it, "Outer / Inner"; empty for
        // the links outside every folder.
        QString title;
        // In the order of the file.
        std::vector<LinkRow> rows;
    };
    struct Contents
    {
        // The links outside every folder first, then every folder in the order the file names
        // them; folders without links are left out.
        std::vector<Folder> folders;
        // Entries that cannot be a link of a table: no address, or one that is not a web address
        // (http or https).
        int skipped = 0;
    };

    // Every field made storable in a table file; a link's date is its own, with its time of day,
    // when the file gives one, otherwise today. Reading takes time and memory in proportion to
    // the file's size whatever it holds.
    static Contents read(const QString &html, const QString &today);
    // Each folder a folder of the file, one whose title is a path inside the folders it names:
    // reading the file gives the same folders, rows and dates.
    static QString write(const std::vector<Folder> &folders, bool withSecrets);
};
