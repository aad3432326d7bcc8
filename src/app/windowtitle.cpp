#include "windowtitle.h"

#include "browsing/tabset.h"
#include "browsing/webview.h"

#include <QWidget>

WindowTitle::WindowTitle(QWidget *window, TabSet &tabs) : QObject(window), m_window(window), m_tabs(tabs)
{
    for (int i = 0; i < m_tabs.viewCount(); ++i)
        attach(m_tabs.Web(i));
    connect(&m_tabs, &TabSet::viewCreated, this, &WindowTitle::attach);
    connect(&m_tabs, &TabSet::activeViewShown, this, &WindowTitle::refresh);
}

void WindowTitle::attach(WebView *view)
{
    connect(view, &WebView::TitleChange, this, [this, view] {
        if (view == m_tabs.activeView())
            refresh();
    });
}

void WindowTitle::refresh()
{
    if (m_window->isMinimized())
        return;
    const QString page = m_tabs.activeView()->LocationName();
    const QString program = QStringLiteral("TamzoTravel");
    m_window->setWindowTitle(page.isEmpty() ? program : page % u" - " % program);
}
