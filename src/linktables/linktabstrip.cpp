#include "linktabstrip.h"

#include <QStyleOptionTab>
#include <QWheelEvent>

LinkTabStrip::LinkTabStrip(QWidget *parent) : QTabBar(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setDrawBase(false);
    setElideMode(Qt::ElideRight);
    setUsesScrollButtons(false);
    setExpanding(false);
    // Fifteen tabs share a strip: a smaller type leaves their titles room.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    setFont(small);
}

void LinkTabStrip::setShownTab(int index)
{
    m_shown = index >= 0;
    if (m_shown)
        setCurrentIndex(index);
    update();
}

QSize LinkTabStrip::tabSizeHint(int index) const
{
    return QSize(width() / std::max(1, count()), QTabBar::tabSizeHint(index).height());
}

QSize LinkTabStrip::minimumTabSizeHint(int index) const
{
    return QSize(1, QTabBar::minimumTabSizeHint(index).height());
}

void LinkTabStrip::initStyleOption(QStyleOptionTab *option, int tabIndex) const
{
    QTabBar::initStyleOption(option, tabIndex);
    if (!m_shown) {
        option->state &= ~QStyle::State_Selected;
        option->selectedPosition = QStyleOptionTab::NotAdjacent;
    }
}

void LinkTabStrip::wheelEvent(QWheelEvent *event) { event->ignore(); }
