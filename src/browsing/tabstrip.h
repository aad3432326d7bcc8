#pragma once

#include <QTabBar>

// A tab strip whose tabs share its width equally, as the tooltip rule assumes. Narrow margins
// and a slightly smaller type leave each caption room for about a dozen characters.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr) : QTabBar(parent)
    {
        setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 3px; }"));
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        setFont(small);
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        const QSize hint = QTabBar::tabSizeHint(index);
        return QSize(width() / std::max(1, count()), hint.height());
    }
    QSize minimumTabSizeHint(int) const override { return QSize(1, 1); }
};
