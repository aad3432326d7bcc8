#include "linktable.h"

#include "core/numbers.h"
#include "core/programstate.h"
#include "linkindex.h"
#include "linktablefile.h"

#include <QSet>
#include <algorithm>

int LinkTable::entry() const { return m_state.currentTable + 1; }

void LinkTable::setCount(const QString &count) { m_state.linkIndex[entry()].count = count; }

void LinkTable::Read_Table()
{
    LinkTableFile::Contents contents =
        LinkTableFile::read(m_state.currentTableFile, LinkIndex::count(m_state, entry()));
    m_rows = std::move(contents.rows);
    if (contents.recovered > 0)
        setCount(QString::number(m_rows.size()));
    m_fileCount = m_state.linkIndex[entry()].count;
    // The rows shown are the file's: nothing is left unsaved.
    m_state.tableModified = 0;
}

WriteResult LinkTable::Save_Table()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const LinkRow &a, const LinkRow &b) {
        return QString::compare(a[LinkRow::Title], b[LinkRow::Title], Qt::CaseSensitive) < 0;
    });
    if (WriteResult written = LinkTableFile::write(m_state.currentTableFile, m_rows); !written.ok()) {
        // The file keeps the rows it had, and so does the count; the rows held here are still to
        // be saved, and closing asks about them.
        setCount(m_fileCount);
        m_state.tableModified = 1;
        return written;
    }
    const auto untitled = std::partition_point(m_rows.begin(), m_rows.end(),
                                               [](const LinkRow &row) { return row[LinkRow::Title].isEmpty(); });
    m_rows.erase(m_rows.begin(), untitled);
    if (LinkIndex::count(m_state, entry()) != rowCount())
        setCount(QString::number(rowCount()));
    m_fileCount = m_state.linkIndex[entry()].count;
    m_state.tableModified = 0;
    return LinkIndex::Save_Title(m_state);
}

bool LinkTable::ADD_Tab(const QString &pageTitle, const QString &address, const QString &addressBoxText)
{
    const QString title = LinkTableFile::textFromPage(pageTitle);
    if (title.isEmpty())
        return false;
    const bool known = std::any_of(m_rows.begin(), m_rows.end(),
                                   [&title](const LinkRow &row) { return row[LinkRow::Title] == title; });
    if (known)
        return false;
    LinkRow row;
    row[LinkRow::Title] = title;
    row[LinkRow::Address] = LinkTableFile::addressFromPage(address);
    row[LinkRow::Typed] = typedText(addressBoxText);
    row[LinkRow::Date] = m_state.todayDate;
    m_rows.push_back(row);
    // The add command writes the count it has just computed with a leading blank.
    setCount(Numbers::formatInteger(rowCount()));
    return true;
}

LinkTable::Appended LinkTable::appendRows(std::vector<LinkRow> rows)
{
    Appended appended;
    // A row is known by its title and address.
    QSet<std::pair<QString, QString>> known;
    known.reserve(static_cast<qsizetype>(m_rows.size() + rows.size()));
    for (const LinkRow &held : m_rows)
        known.insert({held[LinkRow::Title], held[LinkRow::Address]});
    for (LinkRow &row : rows) {
        if (known.contains({row[LinkRow::Title], row[LinkRow::Address]})) {
            ++appended.known;
        } else if (rowCount() >= LinkIndex::maxCount) {
            ++appended.refused;
        } else {
            known.insert({row[LinkRow::Title], row[LinkRow::Address]});
            m_rows.push_back(std::move(row));
            ++appended.added;
        }
    }
    if (appended.added > 0)
        setCount(QString::number(rowCount()));
    return appended;
}

void LinkTable::sortBy(int column)
{
    if (column != LinkRow::Address)
        column = LinkRow::Title;
    std::stable_sort(m_rows.begin(), m_rows.end(), [column](const LinkRow &a, const LinkRow &b) {
        return QString::compare(a[column], b[column], Qt::CaseInsensitive) < 0;
    });
}

QString LinkTable::typedText(const QString &addressBoxText)
{
    const QString text = LinkTableFile::textFromPage(addressBoxText);
    return text.size() > typedTextLimit ? text.left(typedTextLimit) % u".." : text;
}
