#pragma once

#include <QObject>
#include <functional>

class QLabel;
class TabSet;
class WebView;

// Zoom of the page shown: the usual steps in and out and back to 100%, one level per tab, and the
// level at the right end of the status strip while it is not 100%. A turn of the wheel with Ctrl
// held over a page runs the zoom command it stands for, as the keys do.
class PageZoom : public QObject
{
    Q_OBJECT
public:
    static constexpr int minimumPercent = 25;
    static constexpr int maximumPercent = 500;

    // runCommand(zoomIn) runs the command of one step in or out.
    PageZoom(TabSet &tabs, QLabel *statusBar, std::function<void(bool zoomIn)> runCommand, QObject *parent = nullptr);

    void zoomIn();
    void zoomOut();
    void resetZoom();

    // The level one step from the given one; the same at either end.
    static int nextLevel(int percent, bool zoomIn);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(WebView *view);
    void showLevel();

    TabSet &m_tabs;
    QLabel *m_statusBar;
    QLabel *m_level;
    std::function<void(bool)> m_runCommand;
};
