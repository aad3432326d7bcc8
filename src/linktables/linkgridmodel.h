#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class LinkTable;

// What the grid of the link-table window shows: a number column and the six fields of every
// link row, each secret masked unless it is the one revealed, and empty filler rows below the
// links up to a minimum number of rows.
class LinkGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int columns = 7;
    static constexpr int secretColumn = 4;
    static inline const QString mask = QStringLiteral("********");

    explicit LinkGridModel(const LinkTable &table, QObject *parent = nullptr);

    // The seven column headers.
    void setHeaders(const QStringList &headers);
    // Rows shown at least, links and filler rows together.
    void setMinimumRows(int rows);
    // The table changed: everything is shown again, every secret masked; a blank row (one the file
    // could not fill) shows no number.
    void reload();
    // The rows were sorted: shown again, every one numbered, the blank ones too.
    void showSorted();

    // A row with a secret shows it in clear; the same row again masks it. One row at a time.
    void toggleSecret(int row);
    int revealedRow() const { return m_revealed; }
    // Row 1 is the first link row; filler rows are none.
    bool isLinkRow(int row) const;
    // Whether a link row's date holds its time of day too.
    bool datesWithTime() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void showAgain(bool numberBlankRows);
    void secretChanged(int row);

    const LinkTable &m_table;
    QStringList m_headers;
    int m_minimumRows = 0;
    int m_revealed = 0;
    bool m_numberBlankRows = false;
};
