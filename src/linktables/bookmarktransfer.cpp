#include "bookmarktransfer.h"

#include "core/programstate.h"
#include "linkindex.h"
#include "linktable.h"
#include "linktablefile.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <iterator>

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

// A table without rows and not taken by this import, one still under its default title first: an
// empty table the user named is kept for what the user meant it for, while there is another.
int freeTable(const ProgramState &state, int current, const QSet<int> &taken)
{
    int named = -1;
    for (int table = 0; table < reachableTables; ++table) {
        if (table == current || taken.contains(table) || LinkIndex::count(state, table + 1) != 0)
            continue;
        if (state.linkIndex[table + 1].title == LinkIndex::defaultTitle(state, table + 1))
            return table;
        if (named < 0)
            named = table;
    }
    return named;
}

// The table of a folder: the one this import gave its title, else the table of that title
// unless an earlier folder took it, else a free table; -1 when there is none.
int tableFor(const ProgramState &state, const QString &title, int current, const QHash<QString, int> &tableOfTitle,
             const QSet<int> &taken)
{
    if (const auto given = tableOfTitle.constFind(title); given != tableOfTitle.constEnd())
        return *given;
    const int titled = tableTitled(state, title);
    return titled >= 0 && !taken.contains(titled) ? titled : freeTable(state, current, taken);
}

// The links one table takes from the file, and the title it takes (none: it keeps its own).
struct Target
{
    int table;
    QString title;
    std::vector<LinkRow> rows;
};

// Adds the links to their table and saves it; on a failed save the table, its title and its
// count stay as they were.
void fillTable(ProgramState &state, Target &target, BookmarkTransfer::Imported &result)
{
    LinkIndex::selectTable(state, target.table);
    LinkTable table(state);
    table.Read_Table();
    QString &entryTitle = state.linkIndex[target.table + 1].title;
    const QString oldTitle = entryTitle;
    if (!target.title.isEmpty())
        entryTitle = target.title;
    const LinkTable::Appended appended = table.appendRows(std::move(target.rows));
    result.skipped += appended.known;
    result.refused += appended.refused;
    if (appended.added == 0) {
        entryTitle = oldTitle;
        return;
    }
    const WriteResult saved = table.Save_Table();
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

BookmarkTransfer::Imported BookmarkTransfer::merge(ProgramState &state, BookmarksHtml::Contents contents,
                                                   bool byFolder)
{
    Imported result;
    result.skipped = contents.skipped;
    const int current = state.currentTable;
    // Every folder's table is found before any is filled, so that each table is read and saved
    // once however many folders go into it.
    std::vector<Target> targets;
    QHash<int, size_t> targetOfTable;
    QHash<QString, int> tableOfTitle;
    QSet<int> taken;
    for (BookmarksHtml::Folder &folder : contents.folders) {
        const bool ownTable = byFolder && !folder.title.isEmpty();
        int table = current;
        if (ownTable)
            table = tableFor(state, folder.title, current, tableOfTitle, taken);
        if (table < 0) {
            result.refused += static_cast<int>(folder.rows.size());
            continue;
        }
        if (ownTable) {
            tableOfTitle.insert(folder.title, table);
            taken.insert(table);
        }
        if (!targetOfTable.contains(table)) {
            targetOfTable.insert(table, targets.size());
            targets.push_back({table, QString(), {}});
        }
        Target &target = targets[targetOfTable.value(table)];
        if (ownTable)
            target.title = folder.title;
        std::move(folder.rows.begin(), folder.rows.end(), std::back_inserter(target.rows));
    }
    for (Target &target : targets) {
        if (!result.failure.ok())
            result.refused += static_cast<int>(target.rows.size());
        else
            fillTable(state, target, result);
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
