#include "linkgridmodel.h"

#include "bookmarkfields.h"
#include "linktable.h"

LinkGridModel::LinkGridModel(const LinkTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_headers(columns)
{
}

void LinkGridModel::setHeaders(const QStringList &headers)
{
    m_headers = headers;
    m_headers.resize(columns);
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

void LinkGridModel::setMinimumRows(int rows)
{
    beginResetModel();
    m_minimumRows = rows;
    endResetModel();
}

void LinkGridModel::reload() { showAgain(false); }

void LinkGridModel::showSorted() { showAgain(true); }

void LinkGridModel::showAgain(bool numberBlankRows)
{
    beginResetModel();
    m_revealed = 0;
    m_numberBlankRows = numberBlankRows;
    endResetModel();
}

void LinkGridModel::toggleSecret(int row)
{
    if (!m_table.isLinkRow(row) || m_table.row(row)[LinkRow::Secret].isEmpty())
        return;
    const int previous = m_revealed;
    m_revealed = previous == row ? 0 : row;
    if (previous > 0)
        secretChanged(previous);
    secretChanged(row);
}

void LinkGridModel::secretChanged(int row)
{
    const QModelIndex cell = index(row - 1, secretColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

bool LinkGridModel::isLinkRow(int row) const { return m_table.isLinkRow(row); }

bool LinkGridModel::datesWithTime() const
{
    for (int row = 1; row <= m_table.rowCount(); ++row) {
        if (m_table.row(row)[LinkRow::Date].size() > BookmarkFields::dateFormat.size())
            return true;
    }
    return false;
}

int LinkGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(m_table.rowCount(), m_minimumRows);
}

int LinkGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : columns; }

QVariant LinkGridModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row() + 1;
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && (column == 3 || column == secretColumn))
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || !m_table.isLinkRow(row))
        return QVariant();
    const LinkRow &link = m_table.row(row);
    if (column == 0)
        return link.isBlank() && !m_numberBlankRows ? QString() : QString::number(row);
    if (column == secretColumn && !link[LinkRow::Secret].isEmpty() && row != m_revealed)
        return mask;
    return link[column];
}

QVariant LinkGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns)
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_headers[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return QVariant();
}

Qt::ItemFlags LinkGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
