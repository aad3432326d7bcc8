#pragma once

#include <QTabBar>

// A tab strip whose tabs share its width equally, as the tooltip rule assumes.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        const QSize hint = QTabBar::tabSizeHint(index);
        return QSize(width() / std::max(1, count()), hint.height());
    }
    QSize minimumTabSizeHint(int) const override { return QSize(1, 1); }
};
