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

protected:
    QSize tabSizeHint(int index) const override
    {
        const QSize hint = QTabBar::tabSizeHint(index);
        return QSize(width() / std::max(1, count()), hint.height());
    }
    QSize minimumTabSizeHint(int) const override { return QSize(1, 1); }
};
