#pragma once

#include <QTabBar>

// One strip of fifteen table tabs. Its tabs share its width; a strip can show no current tab,
// so that only the tab of the table shown looks selected among all strips. A click on any tab,
// the current one too, reports it.
class LinkTabStrip : public QTabBar
{
    Q_OBJECT
public:
    explicit LinkTabStrip(QWidget *parent = nullptr);

    // -1 shows no current tab.
    void setShownTab(int index);
    int shownTab() const { return m_shown ? currentIndex() : -1; }

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void initStyleOption(QStyleOptionTab *option, int tabIndex) const override;
    // The wheel would change tables unseen.
    void wheelEvent(QWheelEvent *event) override;

private:
    bool m_shown = false;
};
