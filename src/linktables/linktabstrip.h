#pragma once

#include <QTabBar>

// One strip of fifteen table tabs. Its tabs share its width; a strip can show no current tab,
// so that only the tab of the table shown looks selected among all strips. A click on any tab,
// the current one too, reports it. Titles are plain text ("R&D" has no shortcut) drawn with narrow
// margins; one too wide for its tab is cut with "..." and shows whole as the tab's tooltip.
class LinkTabStrip : public QTabBar
{
    Q_OBJECT
public:
    static constexpr int textMargin = 2;

    explicit LinkTabStrip(QWidget *parent = nullptr);

    // -1 shows no current tab.
    void setShownTab(int index);
    int shownTab() const { return m_shown ? currentIndex() : -1; }

    void setTitle(int index, const QString &title);
    QString title(int index) const;
    // Where a tab's title is drawn, and the text drawn there.
    QRect titleRect(int index) const;
    QString shownTitle(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void initStyleOption(QStyleOptionTab *option, int tabIndex) const override;
    void paintEvent(QPaintEvent *event) override;
    // The wheel would change tables unseen.
    void wheelEvent(QWheelEvent *event) override;

private:
    void paintTab(class QStylePainter &painter, int index) const;

    bool m_shown = false;
};
