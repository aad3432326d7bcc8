#pragma once

#include "core/textfile.h"
#include "linkrow.h"

#include <vector>

struct ProgramState;

// The current table in memory: its link rows 1..rowCount as read from its file, the rules of
// adding, sorting and saving them, and the index count that follows them.
class LinkTable
{
public:
    static constexpr int typedTextLimit = 100;

    explicit LinkTable(ProgramState &state) : m_state(state) {}

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    bool isLinkRow(int row) const { return row >= 1 && row <= rowCount(); }
    // Row 1..rowCount.
    const LinkRow &row(int row) const { return m_rows[static_cast<size_t>(row - 1)]; }
    void setRow(int row, const LinkRow &values) { m_rows[static_cast<size_t>(row - 1)] = values; }
    // Emptied, the row is dropped by the next save, which counts the table down.
    void clearRow(int row) { setRow(row, LinkRow()); }

    // Loads the current table: as many rows as the index counts, and any well-formed rows the
    // file holds beyond them, which raise the count.
    void Read_Table();
    // Writes the rows sorted by title; rows without a title are dropped and counted down; then
    // the index is written. On failure the files and the count are left as they were, and the rows
    // held here count as unsaved (tableModified).
    WriteResult Save_Table();
    // Adds the page shown as a new row; false when it has no title or its title is in the table.
    bool ADD_Tab(const QString &pageTitle, const QString &address, const QString &addressBoxText);
    struct Appended
    {
        int added = 0;
        // Rows whose title and address the table holds already.
        int known = 0;
        // Rows past the most a table counts.
        int refused = 0;
    };
    // Rows from elsewhere added after the others, the count following them; nothing is saved.
    Appended appendRows(std::vector<LinkRow> rows);
    // Orders the rows by their address (column 2) or else their title, without regard to case.
    void sortBy(int column);

    // The address-box text as a row keeps it: at most 100 characters, then "..".
    static QString typedText(const QString &addressBoxText);

private:
    int entry() const;
    void setCount(const QString &count);

    ProgramState &m_state;
    std::vector<LinkRow> m_rows;
    // The count of the rows the table's file holds, as last read or saved.
    QString m_fileCount;
};
