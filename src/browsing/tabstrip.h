#pragma once

#include <QTabBar>

// A tab strip whose tabs share its width equally, as long as each keeps room for the first letter
// of its caption and an ellipsis; below that the strip scrolls, keeping the active tab in view.
// Narrow margins and a slightly smaller type leave each caption room for about a dozen characters.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

    // The width at which every tab still shows the first letter of its caption.
    int minimumStripWidth() const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    // The caption is cut to the width of its tab in the type it is drawn in (the active tab's is
    // bold), so that it never runs over the tab's edges.
    void initStyleOption(QStyleOptionTab *option, int index) const override;

private:
    QFont drawnFont(int index) const;
};
