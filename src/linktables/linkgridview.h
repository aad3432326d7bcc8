#pragma once

#include <QTableView>

class LinkGridModel;

// The grid of the link-table window: a row's number, its six fields, no row headers. The address
// column is zero wide yet reachable by keyboard, so that it can be sorted by; every other column
// is at least as wide as designed and wide enough for what it holds; the typed address takes what
// is left. A press on a row's number selects the whole row.
class LinkGridView : public QTableView
{
    Q_OBJECT
public:
    explicit LinkGridView(LinkGridModel *model, QWidget *parent = nullptr);

    // Sets every column's width for the rows shown now and the grid's width.
    void fitColumns();
    // The row of the current cell, 1 for the first link row.
    int currentRow() const;
    // The column where the selection ends, away from the current cell.
    int selectionEndColumn() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void selectWholeRow(const QModelIndex &index);
    int roomFor(const QString &text) const;

    LinkGridModel *m_model;
};
