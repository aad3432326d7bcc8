#include "newwindowpolicy.h"

#include "navigator.h"
#include "tabset.h"
#include "webview.h"

#include <QComboBox>

NewWindowPolicy::NewWindowPolicy(TabSet &tabs, Navigator &navigator, QComboBox *addressBox, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_navigator(navigator), m_addressBox(addressBox)
{
    for (int i = 0; i < m_tabs.viewCount(); ++i)
        attach(m_tabs.Web(i));
    connect(&m_tabs, &TabSet::viewCreated, this, &NewWindowPolicy::attach);
}

void NewWindowPolicy::attach(WebView *view)
{
    connect(view, &WebView::NewWindow, this, [this, view](const QString &address) { open(view, address); });
}

void NewWindowPolicy::openInNewTab(const QString &address) { open(m_tabs.activeView(), address); }

void NewWindowPolicy::open(WebView *asking, const QString &address)
{
    // A blank window that a script would write into has no address to open anywhere.
    if (address.isEmpty() || address == u"about:blank")
        return;
    const int free = m_tabs.nextFreeTab(m_tabs.ActiveTab());
    if (free < 0) {
        asking->Navigate(address);
        return;
    }
    m_tabs.showTab(free);
    m_addressBox->setEditText(address);
    // The history keeps what the user typed or chose, not where pages sent them.
    m_navigator.GoNavigate(0);
}
