#include "navigator.h"

#include "addressrules.h"
#include "core/linebreaks.h"
#include "core/numbers.h"
#include "core/programstate.h"
#include "history.h"
#include "tabset.h"
#include "webview.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QProgressBar>

Navigator::Navigator(ProgramState &state, TabSet &tabs, History &history, QComboBox *addressBox,
                     QLabel *statusBar, QProgressBar *progressBar)
    : m_state(state), m_tabs(tabs), m_history(history), m_addressBox(addressBox),
      m_statusBar(statusBar), m_progressBar(progressBar)
{
    Timer5.setInterval(syncIntervalMs);
    connect(&Timer5, &QTimer::timeout, this, &Navigator::Timer5_Timer);

    m_addressBox->setEditable(true);
    m_addressBox->setInsertPolicy(QComboBox::NoInsert);
    // The list offers the history; typing never turns the text into one of its entries.
    m_addressBox->setCompleter(nullptr);
    m_addressBox->lineEdit()->installEventFilter(this);
    m_addressBox->installEventFilter(this);
    // The box also reports "activated" when it loses the focus with the text of a list entry:
    // only a pick in the list opens the entry. The list's own handlers run after these filters.
    m_addressBox->view()->installEventFilter(this);
    m_addressBox->view()->viewport()->installEventFilter(this);
    connect(m_addressBox, &QComboBox::activated, this, [this] {
        if (std::exchange(m_listPick, false))
            GoNavigate(1);
    });

    for (int i = 0; i < m_tabs.viewCount(); ++i)
        attach(m_tabs.Web(i));
    connect(&m_tabs, &TabSet::viewCreated, this, &Navigator::attach);
    connect(&m_tabs, &TabSet::activeViewShown, this, &Navigator::onActiveViewShown);
}

void Navigator::attach(WebView *view)
{
    // An event counts only when it comes from the view the user sees.
    const auto fromActive = [this, view](auto handler) {
        return [this, view, handler](const auto &...arguments) {
            if (view == m_tabs.activeView())
                (this->*handler)(arguments...);
        };
    };
    connect(view, &WebView::BeforeNavigate2, this, fromActive(&Navigator::onBeforeNavigate));
    connect(view, &WebView::ProgressChange, this, fromActive(&Navigator::onProgress));
    connect(view, &WebView::DocumentComplete, this, fromActive(&Navigator::onDocumentComplete));
    connect(view, &WebView::StatusTextChange, this, fromActive(&Navigator::onStatusText));
    connect(view, &WebView::TitleChange, this, fromActive(&Navigator::onTitle));
    connect(view, &WebView::LocalAddressRefused, this, fromActive(&Navigator::onLocalAddressRefused));
    connect(view, &WebView::LocationChange, this,
            [this, view](const QString &address) { onLocationChange(view, address); });
    connect(view, &WebView::WindowClosing, this, [](bool isChild, bool *cancel) {
        if (!isChild)
            *cancel = true;
    });
    connect(view, &WebView::RendererCrashed, this, [this, view](const QString &address) {
        view->showNotice(m_state.caption(rendererCrashedCaption, "This page stopped working:") % u' ' % address,
                         address);
    });
    const auto cannotOpen = [this](const QString &address) -> QString {
        return m_state.caption(badAddressCaption, "This address cannot be opened:") % u' ' % address;
    };
    connect(view, &WebView::AddressRejected, this,
            [view, cannotOpen](const QString &address) { view->showNotice(cannotOpen(address), address); });
    connect(view, &WebView::LoadFailed, this, [view, cannotOpen](const QString &address, const QString &reason) {
        view->showNotice(cannotOpen(address) % u" (" % reason % u')', address);
    });
    view->setDialogStopText([this] { return m_state.caption(stopDialogsCaption, "Stop this page's dialogs"); });
    view->setSaveTitle([this] { return m_state.caption(saveAsCaption); });
}

// A view that has shown nothing yet stands for the address last opened in its tab.
QString Navigator::pageAddress() const
{
    const QString shown = m_tabs.activeView()->LocationURL();
    return shown.isEmpty() ? m_state.tabAddresses.value(m_tabs.ActiveTab()) : shown;
}

void Navigator::showPageAddress() { m_addressBox->setEditText(pageAddress()); }

void Navigator::onActiveViewShown(WebView *view)
{
    const QString address = pageAddress();
    m_addressBox->setEditText(address);
    m_state.currentAddress = address;
    m_state.bookmarkAddress = address;
    m_state.pageTitle = view->LocationName();
    m_statusBar->setText(m_state.pageTitle);
    if (!view->Busy())
        m_progressBar->setValue(view->showsPage() ? 100 : 0);
}

bool Navigator::userIsTyping() const
{
    return m_addressBox->hasFocus() && m_addressBox->lineEdit()->isModified();
}

void Navigator::showAddress(const QString &address)
{
    if (!userIsTyping())
        m_addressBox->setEditText(address);
}

void Navigator::notePickFromList()
{
    m_listPick = true;
    // The list reports the pick at once; a release that picked nothing leaves nothing behind.
    QTimer::singleShot(0, this, [this] { m_listPick = false; });
}

void Navigator::GoNavigate(int recordHistory)
{
    m_state.typedAddress = withoutLineBreaks(m_addressBox->currentText());
    WebView *view = m_tabs.activeView();
    // A script address would run in the page shown, with the page's rights.
    if (AddressRules::isScriptAddress(m_state.typedAddress)) {
        m_statusBar->setText(m_state.caption(scriptRefusedCaption, "A script address is not opened:") % u' ' %
                             m_state.typedAddress);
        return;
    }
    if (m_state.typedAddress.isEmpty()) {
        view->Navigate(m_state.startPage);
    } else {
        const bool words = !m_state.searchQuery.isEmpty() && AddressRules::isSearchText(m_state.typedAddress);
        const QString address = words ? AddressRules::searchAddress(m_state.searchQuery, m_state.typedAddress)
                                      : AddressRules::completeAddress(m_state.typedAddress);
        m_addressBox->setEditText(address);
        view->Navigate2(address);
        const int active = m_tabs.ActiveTab();
        if (active < m_state.tabAddresses.size())
            m_state.tabAddresses[active] = address;
        QString caption = address;
        AddressRules::TabCaptionFromAddress(caption);
        m_tabs.setTabCaption(active, caption);
        m_state.currentAddress = address;
        m_state.bookmarkAddress = address;
        const bool webAddress =
            m_state.currentAddress.trimmed().toLower().startsWith(u"http") && m_state.currentAddress.size() > 8;
        if (recordHistory == 1 && (webAddress || AddressRules::isExistingFile(address)))
            m_history.Hyst_Add();
    }
    view->SetFocus();
    emit navigated();
}

// A blank page (a free tab's) gives no caption: the tab stays free.
void Navigator::onLocationChange(WebView *view, const QString &address)
{
    const int tab = m_tabs.indexOf(view);
    if (tab >= 0 && tab < m_tabs.TabCount() && !address.isEmpty() && address != u"about:blank") {
        QString caption = address;
        AddressRules::TabCaptionFromAddress(caption);
        m_tabs.setTabCaption(tab, caption);
    }
    if (view != m_tabs.activeView())
        return;
    showAddress(address);
    // The bookmark stores the page shown, wherever it came from.
    m_state.bookmarkAddress = address;
}

void Navigator::onBeforeNavigate(const QString &address)
{
    m_progressBar->setValue(0);
    if (address.left(4).toLower() == u"http")
        showAddress(address);
    m_statusBar->setText(m_state.caption(statusCaption));
    // Enabling a running timer leaves its next tick where it was.
    if (!Timer5.isActive())
        Timer5.start();
}

void Navigator::onProgress(int progress, int maximum)
{
    if (progress < 1 || maximum < progress)
        return;
    if (const auto percent = Numbers::toInt32(progress * 100.0 / maximum))
        m_progressBar->setValue(*percent);
}

void Navigator::onDocumentComplete(const QString &address)
{
    // Full for a page loaded; empty when the load failed.
    m_progressBar->setValue(m_tabs.activeView()->showsPage() ? 100 : 0);
    if (address.left(4).toLower() == u"http")
        m_state.currentAddress = address;
}

void Navigator::onStatusText(const QString &text) { m_statusBar->setText(text); }

void Navigator::onTitle(const QString &title)
{
    m_statusBar->setText(title);
    m_state.pageTitle = title;
}

void Navigator::onLocalAddressRefused(const QString &address)
{
    m_statusBar->setText(m_state.caption(localRefusedCaption, "A page on the internet may not open this address of the local network:") %
                         u' ' % address);
}

void Navigator::Timer5_Timer()
{
    WebView *view = m_tabs.activeView();
    if (view->Busy())
        return;
    showAddress(view->LocationURL());
    Timer5.stop();
}

bool Navigator::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_addressBox->view() || watched == m_addressBox->view()->viewport()) {
        const auto isEnter = [](const QEvent *e) {
            const int key = static_cast<const QKeyEvent *>(e)->key();
            return key == Qt::Key_Return || key == Qt::Key_Enter;
        };
        if (event->type() == QEvent::MouseButtonRelease || (event->type() == QEvent::KeyPress && isEnter(event)))
            notePickFromList();
        return false;
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        emit addressBoxFocused();
        return false;
    case QEvent::ShortcutOverride:
        // Escape gives the page's address back before it stops the page.
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && m_addressBox->currentText() != pageAddress()) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::Wheel:
        // The closed box would step through the history, opening every entry it passes.
        return true;
    case QEvent::KeyPress: {
        // The box has the keyboard focus and hands keys on to its line edit; Enter is taken from either.
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        switch (keyEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            GoNavigate(1);
            return true;
        case Qt::Key_Escape:
            if (m_addressBox->currentText() == pageAddress())
                return false;
            showPageAddress();
            m_addressBox->lineEdit()->selectAll();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Arrow keys open the list instead of stepping through it; Alt+Down and F4 too.
            m_addressBox->showPopup();
            return true;
        default:
            return false;
        }
    }
    default:
        return false;
    }
}
