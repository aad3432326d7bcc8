#include "bookmarktransfer.h"

#include "core/programstate.h"
#include "linkindex.h"
#include "linktable.h"
#include "linktablefile.h"

namespace {

// The tables the link-table window's strips reach.
constexpr int reachableTables = 105;

int tableTitled(const ProgramState &state, const QString &title)
{
    for (int table = 0; table < reachableTables; ++table) {
        if (state.linkIndex[table + 1].title == title)
            return table;
    }
    return -1;
}

// A table without rows, one still under its default title first: an empty table the user named
// is kept for what the user meant it for, while there is another.
int freeTable(const ProgramState &state, int current)
{
    int named = -1;
    for (int table = 0; table < reachableTables; ++table) {
        if (table == current || LinkIndex::count(state, table + 1) != 0)
            continue;
        if (state.linkIndex[table + 1].title == LinkIndex::defaultTitle(state, table + 1))
            return table;
        if (named < 0)
            named = table;
    }
    return named;
}

// Adds a folder's links to a table and saves it; on a failed save the table, its title and its
// count stay as they were.
void fillTable(ProgramState &state, int table, const BookmarksHtml::Folder &folder, const QString &title,
               BookmarkTransfer::Imported &result)
{
    LinkIndex::selectTable(state, table);
    LinkTable target(state);
    target.Read_Table();
    QString &entryTitle = state.linkIndex[table + 1].title;
    const QString oldTitle = entryTitle;
    if (!title.isEmpty())
        entryTitle = title;
    const LinkTable::Appended appended = target.appendRows(folder.rows);
    result.skipped += appended.known;
    result.refused += appended.refused;
    if (appended.added == 0) {
        entryTitle = oldTitle;
        return;
    }
    const WriteResult saved = target.Save_Table();
    // Only a table file left as it was marks its rows unsaved; a failed index alone loses no link,
    // as the table file's uncounted rows are read back.
    const bool tableKept = state.tableModified == 1;
    if (tableKept) {
        entryTitle = oldTitle;
        state.tableModified = 0;
        result.refused += appended.added;
    } else {
        result.imported += appended.added;
    }
    if (!saved.ok())
        result.failure = saved;
}

} // namespace

BookmarkTransfer::Imported BookmarkTransfer::merge(ProgramState &state, const BookmarksHtml::Contents &contents,
                                                   bool byFolder)
{
    Imported result;
    result.skipped = contents.skipped;
    const int current = state.currentTable;
    for (const BookmarksHtml::Folder &folder : contents.folders) {
        const bool ownTable = byFolder && !folder.title.isEmpty();
        int table = current;
        if (ownTable) {
            table = tableTitled(state, folder.title);
            if (table < 0)
                table = freeTable(state, current);
        }
        if (table < 0 || !result.failure.ok()) {
            result.refused += static_cast<int>(folder.rows.size());
            continue;
        }
        fillTable(state, table, folder, ownTable ? folder.title : QString(), result);
    }
    LinkIndex::selectTable(state, current);
    return result;
}

std::vector<BookmarksHtml::Folder> BookmarkTransfer::stored(const ProgramState &state, bool allTables)
{
    std::vector<BookmarksHtml::Folder> folders;
    const int first = allTables ? 0 : state.currentTable;
    const int last = allTables ? reachableTables - 1 : state.currentTable;
    for (int table = first; table <= last; ++table) {
        const int entry = table + 1;
        const int count = LinkIndex::count(state, entry);
        if (count == 0)
            continue;
        BookmarksHtml::Folder folder{state.linkIndex[entry].title, {}};
        for (const LinkRow &row :
             LinkTableFile::read(LinkIndex::filePath(state, LinkIndex::tableExtension(table)), count).rows) {
            if (!row[LinkRow::Title].isEmpty())
                folder.rows.push_back(row);
        }
        if (!folder.rows.empty())
            folders.push_back(std::move(folder));
    }
    return folders;
}

int BookmarkTransfer::linkCount(const std::vector<BookmarksHtml::Folder> &folders)
{
    int count = 0;
    for (const BookmarksHtml::Folder &folder : folders)
        count += static_cast<int>(folder.rows.size());
    return count;
}
