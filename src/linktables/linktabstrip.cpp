#include "linktabstrip.h"

#include "platform/plaintooltip.h"

#include <QStyleOptionTab>
#include <QStylePainter>
#include <QWheelEvent>

LinkTabStrip::LinkTabStrip(QWidget *parent) : QTabBar(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setDrawBase(false);
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

// The tab keeps the title with its "&" doubled, so that no letter of it becomes a shortcut, and
// shows it as it is in its tooltip.
void LinkTabStrip::setTitle(int index, const QString &title)
{
    setTabText(index, QString(title).replace(u'&', QStringLiteral("&&")));
    setTabData(index, title);
    setTabToolTip(index, plainToolTip(title));
}

QString LinkTabStrip::title(int index) const { return tabData(index).toString(); }

QRect LinkTabStrip::titleRect(int index) const { return tabRect(index).adjusted(textMargin, 0, -textMargin, 0); }

QString LinkTabStrip::shownTitle(int index) const
{
    return fontMetrics().elidedText(title(index), Qt::ElideRight, titleRect(index).width());
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

void LinkTabStrip::paintTab(QStylePainter &painter, int index) const
{
    QStyleOptionTab option;
    initStyleOption(&option, index);
    painter.drawControl(QStyle::CE_TabBarTabShape, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(titleRect(index), Qt::AlignCenter | Qt::TextSingleLine, shownTitle(index));
}

// The style's own tab leaves a title too little room: the shapes are the style's, the titles are
// drawn here. The selected tab goes last, over its neighbours.
void LinkTabStrip::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const int selected = shownTab();
    for (int i = 0; i < count(); ++i) {
        if (i != selected)
            paintTab(painter, i);
    }
    if (selected >= 0)
        paintTab(painter, selected);
}

void LinkTabStrip::wheelEvent(QWheelEvent *event) { event->ignore(); }
