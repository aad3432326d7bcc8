#include "tabstrip.h"

#include <QStyleOptionTab>
#include <algorithm>

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent)
{
    // The active tab stands out: raised, white and in bold type; the others lie back in grey.
    setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 2px 3px; margin-top: 3px; border: 1px solid #a0a0a0; border-bottom: none;"
        " border-top-left-radius: 3px; border-top-right-radius: 3px; background: #d6d6d6; color: #505050; }"
        "QTabBar::tab:selected { margin-top: 0px; background: #ffffff; color: #000000; font-weight: bold;"
        " border-color: #4a4a4a; }"));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);
}

// The style sheet draws the active tab's caption in bold.
QFont TabStrip::drawnFont(int index) const
{
    QFont drawn = font();
    drawn.setBold(index == currentIndex());
    return drawn;
}

QSize TabStrip::tabSizeHint(int index) const
{
    const QSize hint = QTabBar::tabSizeHint(index);
    return QSize(std::max(width() / std::max(1, count()), minimumTabSizeHint(index).width()), hint.height());
}

// The tab's own width (borders and padding) and its caption's first letter with an ellipsis. The
// strip measures its tabs in its own type; the active tab's caption is drawn in bold.
QSize TabStrip::minimumTabSizeHint(int index) const
{
    const QSize natural = QTabBar::tabSizeHint(index);
    const QFontMetrics drawn(drawnFont(index));
    const QString caption = tabText(index);
    const int captionWidth = fontMetrics().size(Qt::TextShowMnemonic, caption).width();
    // A tab's text doubles "&" to show it; a first letter is one character, or a surrogate pair.
    const int first = caption.startsWith(QStringLiteral("&&")) || (!caption.isEmpty() && caption.front().isHighSurrogate())
                          ? 2
                          : 1;
    const QChar ellipsis(0x2026);
    // A free tab keeps room for a click.
    const QString shortest = caption.isEmpty()         ? QString(ellipsis)
                             : caption.size() <= first ? caption
                                                       : caption.left(first) + ellipsis;
    return QSize(natural.width() - captionWidth + drawn.size(Qt::TextShowMnemonic, shortest).width(), natural.height());
}

int TabStrip::minimumStripWidth() const
{
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width += minimumTabSizeHint(i).width();
    return width;
}

void TabStrip::initStyleOption(QStyleOptionTab *option, int index) const
{
    QTabBar::initStyleOption(option, index);
    const QRect text = style()->subElementRect(QStyle::SE_TabBarTabText, option, this);
    option->text = QFontMetrics(drawnFont(index)).elidedText(tabText(index), elideMode(), text.width(),
                                                             Qt::TextShowMnemonic);
}
