#include "linkgridview.h"

#include "linkgridmodel.h"
#include "linkrow.h"
#include "platform/twips.h"
#include "tablayout.h"

#include <QHeaderView>

namespace {

// What the widest cell of a column can hold: a row number of as many digits as the rows have,
// a date "2026-12-08", with its time of day "2026-12-08 14:05:09" where a row has one.
const QString widestDate = QStringLiteral("0000-00-00");
const QString widestDateTime = QStringLiteral("0000-00-00 00:00:00");
// Cell padding and grid line on either side of a text.
constexpr int cellPadding = 12;
// Room the typed address leaves for the vertical scroll bar.
constexpr double scrollBarRoom = 300;

} // namespace

LinkGridView::LinkGridView(LinkGridModel *model, QWidget *parent) : QTableView(parent), m_model(model)
{
    setModel(model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(0);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    connect(this, &QTableView::pressed, this, &LinkGridView::selectWholeRow);
}

int LinkGridView::roomFor(const QString &text) const { return fontMetrics().horizontalAdvance(text) + cellPadding; }

void LinkGridView::fitColumns()
{
    int taken = 0;
    for (int column = 0; column < LinkGridModel::columns; ++column) {
        if (column == LinkRow::Typed)
            continue;
        int width = Twips::toPixels(TabLayout::columnWidths[column]);
        if (column == 0)
            width = std::max(width, roomFor(QString(QString::number(m_model->rowCount()).size(), u'0')));
        else if (column == LinkRow::Date)
            width = std::max(width, roomFor(m_model->datesWithTime() ? widestDateTime : widestDate));
        if (column != LinkRow::Address)
            width = std::max(width, roomFor(m_model->headerData(column, Qt::Horizontal).toString()));
        setColumnWidth(column, width);
        taken += width;
    }
    setColumnWidth(LinkRow::Typed, std::max(0, width() - taken - Twips::toPixels(scrollBarRoom)));
}

void LinkGridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}

int LinkGridView::currentRow() const { return currentIndex().row() + 1; }

int LinkGridView::selectionEndColumn() const
{
    const QModelIndex current = currentIndex();
    const QItemSelection selection = selectionModel()->selection();
    // The zero-wide address column, reached by keyboard, is current without being selected.
    if (!selection.contains(current))
        return current.column();
    const QItemSelectionRange &range = selection.last();
    return current.column() == range.left() ? range.right() : range.left();
}

void LinkGridView::selectWholeRow(const QModelIndex &index)
{
    if (index.column() != 0 || !m_model->isLinkRow(index.row() + 1))
        return;
    const QModelIndex first = m_model->index(index.row(), LinkRow::Title);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(first, m_model->index(index.row(), LinkRow::Date)),
                             QItemSelectionModel::ClearAndSelect);
}
