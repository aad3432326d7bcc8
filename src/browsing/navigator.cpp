#include "navigator.h"

#include "addressrules.h"
#include "core/numbers.h"
#include "core/programstate.h"
#include "history.h"
#include "tabset.h"
#include "webview.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    m_addressBox->lineEdit()->installEventFilter(this);
    m_addressBox->installEventFilter(this);
    connect(m_addressBox, &QComboBox::activated, this, [this] { GoNavigate(1); });

    for (int i = 0; i < m_tabs.viewCount(); ++i)
        attach(m_tabs.Web(i));
    connect(&m_tabs, &TabSet::viewCreated, this, &Navigator::attach);
}

void Navigator::attach(WebView *view)
{
    // The handlers do not look at which view raised the event.
    connect(view, &WebView::BeforeNavigate2, this, &Navigator::onBeforeNavigate);
    connect(view, &WebView::ProgressChange, this, &Navigator::onProgress);
    connect(view, &WebView::DocumentComplete, this, &Navigator::onDocumentComplete);
    connect(view, &WebView::StatusTextChange, m_statusBar, &QLabel::setText);
    connect(view, &WebView::TitleChange, this, &Navigator::onTitle);
    connect(view, &WebView::WindowClosing, this, [](bool isChild, bool *cancel) {
        if (!isChild)
            *cancel = true;
    });
}

void Navigator::GoNavigate(int recordHistory)
{
    m_state.typedAddress = m_addressBox->currentText();
    WebView *view = m_tabs.activeView();
    if (m_state.typedAddress.isEmpty()) {
        view->Navigate(m_state.startPage);
    } else {
        const QString address = AddressRules::completeAddress(m_state.typedAddress);
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
        if (m_state.currentAddress.trimmed().toLower().startsWith(u"http") &&
            m_state.currentAddress.size() > 8 && recordHistory == 1)
            m_history.Hyst_Add();
    }
    view->SetFocus();
    emit navigated();
}

void Navigator::onBeforeNavigate(const QString &address)
{
    m_progressBar->setValue(0);
    if (address.left(4).toLower() == u"http")
        m_addressBox->setEditText(address);
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
    m_progressBar->setValue(100);
    if (address.left(4).toLower() == u"http")
        m_state.currentAddress = address;
}

void Navigator::onTitle(const QString &title)
{
    m_statusBar->setText(title);
    m_state.pageTitle = title;
}

void Navigator::Timer5_Timer()
{
    WebView *view = m_tabs.activeView();
    if (view->Busy())
        return;
    m_addressBox->setEditText(view->LocationURL());
    Timer5.stop();
}

bool Navigator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        emit addressBoxFocused();
        return false;
    }
    // The box has the keyboard focus and hands keys on to its line edit; Enter is taken from either.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GoNavigate(1);
            return true;
        }
    }
    return false;
}
