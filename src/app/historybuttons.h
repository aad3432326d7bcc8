#pragma once

#include <QObject>

class CommandBars;
class TabSet;
class WebView;

// Back and forward, on the toolbar and in the NAVIGATE menu, are enabled exactly while the active
// view's engine has a page to go back or forward to; they follow tab switches and navigations.
class HistoryButtons : public QObject
{
    Q_OBJECT
public:
    HistoryButtons(TabSet &tabs, CommandBars &bars, QObject *parent = nullptr);

    void refresh();

private:
    void attach(WebView *view);

    TabSet &m_tabs;
    CommandBars &m_bars;
};
