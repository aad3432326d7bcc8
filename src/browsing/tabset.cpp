#include "tabset.h"

#include "core/numbers.h"
#include "core/programstate.h"
#include "platform/plaintooltip.h"
#include "platform/twips.h"
#include "webview.h"

#include <QMouseEvent>
#include <algorithm>
#include <QTabBar>

TabSet::TabSet(ProgramState &state, UserDialogs &dialogs, QTabBar *tabStrip, QWidget *viewHost)
    : m_state(state), m_dialogs(dialogs), m_tabStrip(tabStrip), m_viewHost(viewHost),
      m_profile(state.appFolder.path(profileFolder))
{
    m_tabStrip->setFocusPolicy(Qt::NoFocus);
    m_tabStrip->setUsesScrollButtons(true);
    m_tabStrip->setExpanding(false);
    m_tabStrip->setElideMode(Qt::ElideRight);
    m_tabStrip->setMouseTracking(true);
    m_tabStrip->installEventFilter(this);
    for (int i = 0; i < defaultTabCount; ++i)
        m_tabStrip->addTab(QString());
    createViewsUpTo(defaultTabCount);
    m_views.front()->setVisible(true);
}

// The pages go before the profile that holds their data.
TabSet::~TabSet()
{
    for (WebView *view : m_views)
        delete view;
}

int TabSet::indexOf(const WebView *view) const
{
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    return found == m_views.end() ? -1 : static_cast<int>(found - m_views.begin());
}

int TabSet::TabCount() const { return m_tabStrip->count(); }

int TabSet::ActiveTab() const { return std::max(0, m_tabStrip->currentIndex()); }

void TabSet::setActiveTab(int index) { m_tabStrip->setCurrentIndex(index); }

// A tab's text takes "&" for a keyboard shortcut; captions are shown as they are.
QString TabSet::TabCaption(int index) const
{
    return m_tabStrip->tabText(index).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// The room the strip needs follows its captions: a longer one may take it from the address box.
void TabSet::setTabCaption(int index, const QString &caption)
{
    const QString shown = QString(caption).replace(u'&', QStringLiteral("&&"));
    const bool changed = m_tabStrip->tabText(index) != shown;
    m_tabStrip->setTabText(index, shown);
    nameTabs();
    if (changed)
        emit layoutRequested();
}

void TabSet::nameTabs()
{
    for (int index = 0; index < TabCount(); ++index) {
        const QString caption = TabCaption(index);
        const QString free = m_state.caption(freeTabCaption, "Free tab") % u' ' % QString::number(index + 1);
        m_tabStrip->setAccessibleTabName(index, caption.isEmpty() ? free : caption);
    }
}

void TabSet::createViewsUpTo(int count)
{
    while (viewCount() < count) {
        auto *view = new WebView(m_dialogs, m_printer, m_viewHost, &m_profile);
        view->setHomeAddress(m_homeAddress);
        view->setVisible(false);
        m_views.push_back(view);
        emit viewCreated(view);
    }
}

void TabSet::setHomeAddress(const QString &address)
{
    m_homeAddress = address;
    for (WebView *view : m_views)
        view->setHomeAddress(address);
}

void TabSet::setTabCount(double requested)
{
    const int count = std::clamp(Numbers::toInt32(requested).value_or(defaultTabCount), 1, maximumTabCount);
    createViewsUpTo(count);
    while (m_tabStrip->count() < count)
        m_tabStrip->addTab(QString());
    while (m_tabStrip->count() > count)
        m_tabStrip->removeTab(m_tabStrip->count() - 1);
    showActiveViewOnly();
}

void TabSet::setBandHeights(int topBarTwips, int statusStripTwips)
{
    m_topBarTwips = topBarTwips;
    m_statusStripTwips = statusStripTwips;
}

void TabSet::Set_Web(int index)
{
    const double innerWidth = Twips::fromPixels(m_viewHost->width());
    const double innerHeight = Twips::fromPixels(m_viewHost->height());
    const double top = m_state.barsShown ? m_topBarTwips : 0;
    const double height = innerHeight - top - m_statusStripTwips;
    Web(index)->setGeometry(Twips::toPixels(0, top, innerWidth, std::max(0.0, height)));
    // Without the bars the view lies over the top bar.
    Web(index)->raise();
}

void TabSet::showActiveViewOnly()
{
    const int active = ActiveTab();
    for (int i = 0; i < viewCount(); ++i)
        m_views[i]->setVisible(i == active);
}

int TabSet::nextFreeTab(int after) const
{
    for (int i = after + 1; i < TabCount(); ++i) {
        if (TabCaption(i).isEmpty())
            return i;
    }
    return -1;
}

void TabSet::showTab(int index)
{
    setActiveTab(index);
    Set_Web(index);
    showActiveViewOnly();
    emit activeViewShown(activeView());
}

void TabSet::Tab1_MouseDown(int buttons) { m_state.tabMouseButtons = static_cast<qint16>(buttons); }

void TabSet::Tab1_Click()
{
    emit layoutRequested();
    const int active = ActiveTab();
    if (m_state.tabMouseButtons == 1) {
        showActiveViewOnly();
        // A free tab becomes a copy of the tab before it; the first tab has none and stays as it is.
        if (TabCaption(active).isEmpty() && active > 0) {
            setTabCaption(active, TabCaption(active - 1));
            const QString address = m_state.tabAddresses.value(active - 1);
            Web(active)->Navigate(address);
            if (active < m_state.tabAddresses.size())
                m_state.tabAddresses[active] = address;
        }
        emit activeViewShown(activeView());
    } else if (m_state.tabMouseButtons == 2) {
        activeView()->Refresh();
    }
}

// The tab under the pointer is the one the strip shows there: tabs are of equal width only while
// the strip has room for them all.
void TabSet::Tab1_MouseMove(int x)
{
    const int index = m_tabStrip->tabAt(QPoint(x, m_tabStrip->height() / 2));
    if (index < 0 || index >= m_state.tabAddresses.size())
        return;
    // The page the tab shows, however it got there; a tab that showed none yet, the address it was given.
    const QString shown = index < viewCount() ? Web(index)->LocationURL() : QString();
    const bool none = shown.isEmpty() || shown == u"about:blank";
    m_tabStrip->setToolTip(plainToolTip(none ? m_state.tabAddresses[index] : shown));
}

static int buttonSet(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

bool TabSet::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_tabStrip)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A left click alone selects the tab under the pointer; any other button leaves the
        // active tab as it is, so that the view shown and the active view never differ.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        Tab1_MouseDown(buttonSet(mouse->buttons() | mouse->button()));
        if (m_state.tabMouseButtons == 1) {
            const int index = m_tabStrip->tabAt(mouse->position().toPoint());
            if (index < 0)
                return true;
            setActiveTab(index);
        }
        Tab1_Click();
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    case QEvent::MouseMove:
        Tab1_MouseMove(static_cast<QMouseEvent *>(event)->position().toPoint().x());
        return false;
    default:
        return false;
    }
}
