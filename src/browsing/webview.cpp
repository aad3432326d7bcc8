#include "webview.h"

#include "core/linebreaks.h"
#include "pagecommands.h"
#include "webpage.h"
#include "webprofile.h"

#include <QAction>
#include <QChildEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWheelEvent>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <algorithm>
#include <csignal>

WebView::WebView(UserDialogs &dialogs, SharedPrinter &printer, QWidget *parent, WebProfile *profile)
    : QWidget(parent), m_dialogs(dialogs), m_printer(printer), m_profile(profile)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

// The page answers its pending readings as it goes; nobody waits for them any more.
WebView::~WebView()
{
    m_pendingReads.clear();
    if (m_page)
        m_page->disconnect(this);
    delete std::exchange(m_engine, nullptr);
}

QWebEngineView *WebView::ensureEngine()
{
    if (m_engine)
        return m_engine;
    m_engine = new QWebEngineView(this);
    m_page = new WebPage(m_profile ? m_profile->engineProfile() : WebProfile::offTheRecord(), m_engine);
    m_engine->setPage(m_page);
    // A tab zoomed before its first page: the engine keeps the level for every page after it.
    applyZoom();
    layout()->addWidget(m_engine);

    if (m_dialogStopText)
        m_page->dialogs().setStopText(m_dialogStopText);
    // A notice of the program's is part of the navigation that failed.
    connect(m_page, &WebPage::mainFrameNavigation, this, [this](const QUrl &url, bool pageStarted) {
        if (url.scheme() != u"data")
            m_pageNavigation = pageStarted;
        emit BeforeNavigate2(url.toString());
    });
    // A notice stands until another document is shown (a download shows none).
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        m_noticeAddress = noticeAddressOf(url);
        emit LocationChange(LocationURL());
    });
    // The engine keeps these two actions enabled exactly while its history allows the step.
    for (const auto step : {QWebEnginePage::Back, QWebEnginePage::Forward})
        connect(m_page->action(step), &QAction::changed, this, &WebView::HistoryChange);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebView::onLoadingChanged);
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_busy = true; });
    connect(m_page, &QWebEnginePage::loadProgress, this,
            [this](int percent) { emit ProgressChange(percent, 100); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_busy = false;
        m_showsPage = ok && m_page->url().scheme() != u"data";
        m_rendererPid = m_page->renderProcessPid();
        emit DocumentComplete(m_page->url().toString());
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, &WebView::StatusTextChange);
    connect(m_page, &QWebEnginePage::titleChanged, this, &WebView::TitleChange);
    // The page's own window.close(), and the engine's request for one another frame called.
    connect(m_page, &WebPage::closeAsked, this, &WebView::onWindowCloseRequested);
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &WebView::onWindowCloseRequested);
    connect(m_page, &WebPage::newWindowAsked, this, [this](const QUrl &url) { emit NewWindow(url.toString()); });
    connect(m_page, &WebPage::localAddressRefused, this,
            [this](const QUrl &url) { emit LocalAddressRefused(url.toString()); });
    connect(m_page, &WebPage::programNavigationShown, this,
            [this](const QUrl &url) { emit NavigationShown(url.toString()); });
    connect(m_page, &WebPage::programNavigationNotShown, this,
            [this](const QUrl &url) { emit NavigationNotShown(url.toString()); });
    // The user's clicks and keys reach the engine's own input widget, a child of the view.
    m_engine->installEventFilter(this);
    for (QWidget *child : m_engine->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    onRendererGone();
            });
    return m_engine;
}

// An address the engine cannot parse, one without a scheme and a script address are refused.
void WebView::open(const QString &text, bool userAsked)
{
    const QString address = withoutLineBreaks(text);
    if (address.isEmpty()) {
        ensureEngine();
        m_page->noteProgramNavigation(QUrl());
        m_engine->load(QUrl(QStringLiteral("about:blank")));
        return;
    }
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.scheme().compare(u"javascript", Qt::CaseInsensitive) == 0) {
        emit AddressRejected(address);
        return;
    }
    ensureEngine();
    if (freeHeldPage([this, address, userAsked] { open(address, userAsked); }))
        return;
    m_page->noteUserNavigation(userAsked);
    m_page->noteProgramNavigation(userAsked ? QUrl() : url);
    m_engine->load(url);
}

// A page that asks for one box after another keeps its renderer busy for good, and the renderer
// would never take the next document: it is ended, and the program goes on when it is gone.
bool WebView::freeHeldPage(std::function<void()> next)
{
    if (!m_page || !m_page->dialogs().holdsPage() || m_page->renderProcessPid() <= 0)
        return false;
    m_afterRestart = std::move(next);
    m_page->dialogs().pageLeft(true);
    endRenderer();
    return true;
}

void WebView::endRenderer()
{
    const qint64 pid = m_page->renderProcessPid();
    if (m_profile)
        m_profile->endRenderer(pid);
    else
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}

// Shown again, the page would loop as before: the view shows that it stopped working instead.
void WebView::endSilentPage()
{
    if (!m_page || m_page->renderProcessPid() <= 0)
        return;
    m_afterRestart = [this] { emit RendererCrashed(LocationURL()); };
    endRenderer();
}

void WebView::Navigate(const QString &address) { open(address, false); }

void WebView::Navigate2(const QString &address) { open(address, true); }

// A page that cannot be reached gets the program's own page; a stopped load, a download and a
// server's own error page are no failure of this kind.
void WebView::onLoadingChanged(const QWebEngineLoadingInfo &loading)
{
    constexpr int aborted = -3;
    if (loading.status() != QWebEngineLoadingInfo::LoadFailedStatus ||
        loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain || loading.errorCode() == aborted)
        return;
    emit LoadFailed(loading.url().toString(), loading.errorString());
}

void WebView::GoBack()
{
    if (m_engine && !freeHeldPage([this] { m_engine->back(); }))
        m_engine->back();
}

void WebView::GoForward()
{
    if (m_engine)
        m_engine->forward();
}

void WebView::GoHome() { Navigate2(m_homeAddress); }

void WebView::Refresh()
{
    if (m_engine)
        m_engine->reload();
}

void WebView::Refresh2() { Refresh(); }

void WebView::Stop()
{
    if (m_engine)
        m_engine->stop();
}

void WebView::SetFocus()
{
    if (m_engine)
        m_engine->setFocus();
    else
        setFocus();
}

QString WebView::LocationURL() const
{
    if (!m_noticeAddress.isEmpty())
        return m_noticeAddress;
    return m_engine ? m_page->url().toString() : QString();
}

bool WebView::canGoBack() const { return m_page && m_page->action(QWebEnginePage::Back)->isEnabled(); }

bool WebView::canGoForward() const { return m_page && m_page->action(QWebEnginePage::Forward)->isEnabled(); }

QString WebView::LocationName() const { return m_engine ? m_page->title() : QString(); }

void WebView::ExecWB(int command, int)
{
    if (m_engine)
        PageCommands::run(command, *m_engine,
                          {m_dialogs, m_printer, m_saveTitle ? m_saveTitle() : QString(), LocationName() % u'\n' % LocationURL()});
}

void WebView::onWindowCloseRequested()
{
    // Every view is a top-level view: pages that ask for a new window open in this one.
    bool cancel = false;
    emit WindowClosing(false, &cancel);
    if (!cancel)
        Navigate(QString());
}

bool WebView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == m_engine) {
            if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
                child->installEventFilter(this);
        }
        break;
    case QEvent::Wheel:
        if (wheelZoom(static_cast<QWheelEvent *>(event)))
            return true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
        if (m_page)
            m_page->noteUserAction();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool WebView::wheelZoom(const QWheelEvent *wheel)
{
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    // A touchpad turns in small steps: a notch is a whole turn of the usual wheel.
    m_wheelTurned += wheel->angleDelta().y();
    while (std::abs(m_wheelTurned) >= QWheelEvent::DefaultDeltasPerStep) {
        const bool zoomIn = m_wheelTurned > 0;
        m_wheelTurned -= zoomIn ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
        emit ZoomWheel(zoomIn);
    }
    return true;
}

void WebView::setZoomPercent(int percent)
{
    if (percent == m_zoomPercent)
        return;
    m_zoomPercent = percent;
    applyZoom();
    emit ZoomChange(percent);
}

void WebView::applyZoom()
{
    if (m_page && !qFuzzyCompare(m_page->zoomFactor(), m_zoomPercent / 100.0))
        m_page->setZoomFactor(m_zoomPercent / 100.0);
}

void WebView::onRendererGone()
{
    m_busy = false;
    // The boxes of the page that is gone answer nobody; the next page starts afresh.
    m_page->dialogs().pageLeft(false);
    if (auto next = std::exchange(m_afterRestart, {}))
        QTimer::singleShot(0, this, std::move(next));
    else if (m_profile && m_profile->rendererEndedByProgram(m_rendererPid))
        // Ended for another tab's looping page of the same site: this page comes back as it was.
        QTimer::singleShot(0, this, [this] { m_engine->reload(); });
    else // The notice goes up first, so that a reading's owner may still open another page.
        emit RendererCrashed(LocationURL());
    const auto pending = std::exchange(m_pendingReads, {});
    for (const auto &[reading, done] : pending)
        done(QVariant());
}

void WebView::setDialogStopText(std::function<QString()> text)
{
    m_dialogStopText = std::move(text);
    if (m_page)
        m_page->dialogs().setStopText(m_dialogStopText);
}

void WebView::showNotice(const QString &text, const QString &address)
{
    ensureEngine();
    m_noticeAddress = address;
    m_noticeComing = address;
    const QString escaped = text.toHtmlEscaped();
    m_page->setHtml(u"<html><head><title>" % escaped % u"</title></head><body><p>" % escaped % u"</p></body></html>");
}

// The address a notice shown at url stands for; none for a document that is no notice.
QString WebView::noticeAddressOf(const QUrl &url)
{
    // The engine keeps no more than 50 entries of a view's history.
    constexpr qsizetype remembered = 50;
    if (url.scheme() != u"data")
        return QString();
    if (!m_noticeComing.isEmpty()) {
        m_notices.removeIf([&](const auto &notice) { return notice.first == url; });
        m_notices.append({url, std::exchange(m_noticeComing, QString())});
        if (m_notices.size() > remembered)
            m_notices.removeFirst();
    }
    const auto notice =
        std::find_if(m_notices.cbegin(), m_notices.cend(), [&](const auto &known) { return known.first == url; });
    return notice == m_notices.cend() ? QString() : notice->second;
}

void WebView::runScript(const QString &script, std::function<void(const QVariant &)> done)
{
    if (!m_engine) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(QVariant()); });
        return;
    }
    const quint64 reading = ++m_lastReading;
    m_pendingReads.emplace(reading, std::move(done));
    QPointer<WebView> self(this);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self, reading](const QVariant &result) {
        if (self)
            self->answerRead(reading, result);
    });
}

void WebView::answerRead(quint64 reading, const QVariant &result)
{
    auto pending = m_pendingReads.extract(reading);
    if (!pending.empty())
        pending.mapped()(result);
}

void WebView::readLinks(const LinkFilter &filter, std::function<void(const QStringList &)> done)
{
    runScript(filter.walkScript(), [done = std::move(done)](const QVariant &result) { done(LinkFilter::kept(result)); });
}

void WebView::readReadyState(std::function<void(const QString &)> done)
{
    runScript(QStringLiteral("document.readyState"),
              [done = std::move(done)](const QVariant &result) { done(result.toString().toLower()); });
}

void WebView::readDocument(const QString &script, std::function<void(const QVariant &)> done)
{
    runScript(script, std::move(done));
}

void WebView::readMarkup(std::function<void(const QString &)> done)
{
    runScript(QStringLiteral("document.documentElement ? document.documentElement.outerHTML : ''"),
              [done = std::move(done)](const QVariant &result) { done(result.toString()); });
}
