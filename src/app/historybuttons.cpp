#include "historybuttons.h"

#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"

#include <QAction>

HistoryButtons::HistoryButtons(TabSet &tabs, CommandBars &bars, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_bars(bars)
{
    for (int i = 0; i < m_tabs.viewCount(); ++i)
        attach(m_tabs.Web(i));
    connect(&m_tabs, &TabSet::viewCreated, this, &HistoryButtons::attach);
    connect(&m_tabs, &TabSet::activeViewShown, this, &HistoryButtons::refresh);
    refresh();
}

void HistoryButtons::attach(WebView *view) { connect(view, &WebView::HistoryChange, this, &HistoryButtons::refresh); }

void HistoryButtons::refresh()
{
    const WebView *view = m_tabs.activeView();
    for (const char *key : {"BACK", "NAVIGATE:BACK"})
        m_bars.action(QLatin1String(key))->setEnabled(view->canGoBack());
    for (const char *key : {"NEXT", "NAVIGATE:NEXT"})
        m_bars.action(QLatin1String(key))->setEnabled(view->canGoForward());
}
