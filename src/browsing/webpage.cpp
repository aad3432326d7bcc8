#include "webpage.h"

#include "core/networkreach.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

// What the page's window.close() says on the page's console instead of asking the engine.
static const QString closeAskedMessage = QStringLiteral("tamzotravel: window.close()");

// The engine takes a page that asked to be closed for one that is closing: window.closed turns
// true and, with Qt 6.8, the page never asks again, even when its owner kept it. So the page's
// own close() only tells the owner; the functions that do it are taken before any script of the
// page runs, so the page cannot change them.
static QWebEngineScript closeRequestScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("tamzotravel-close"));
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QStringLiteral("(function (apply, tell, console) {"
                                        "  window.close = function close() { apply(tell, console, [%1]); };"
                                        "})(Reflect.apply, console.debug, console);")
                             .arg(u'\'' % closeAskedMessage % u'\''));
    return script;
}

WebPage::WebPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    scripts().insert(closeRequestScript());
    // A script may open a window only in answer to a click (the engine's popup rule).
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // An address that cannot be reached gets the program's own page, which names it.
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // The engine's PDF viewer shows PDF documents, the program's help among them.
    settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // No window is made: the owner decides where the page goes.
    connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest &request) {
        if (!refusedLocal(url(), request.requestedUrl()))
            emit newWindowAsked(request.requestedUrl());
    });
    // A document shown ends what the user asked for: what its scripts start later is theirs.
    connect(this, &QWebEnginePage::urlChanged, this, [this](const QUrl &shown) {
        m_userNavigation = false;
        if (shown.scheme() != u"data")
            endProgramNavigation(true);
    });
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &loading) {
        if (loading.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
            m_userNavigation = false;
        // Opening the address already shown changes no address: the end of its load shows it. An
        // address that cannot be reached has, without the engine's error pages, the owner's notice.
        constexpr int aborted = -3;
        const bool ended = loading.status() == QWebEngineLoadingInfo::LoadSucceededStatus
                           || (loading.status() == QWebEngineLoadingInfo::LoadFailedStatus && loading.errorCode() != aborted);
        if (ended && loading.url().scheme() != u"data")
            endProgramNavigation(true);
    });
    connect(profile, &QWebEngineProfile::downloadRequested, this, [this](QWebEngineDownloadRequest *download) {
        if (download->page() == this && !download->isSavePageDownload())
            endProgramNavigation(false);
    });
}

void WebPage::endProgramNavigation(bool shown)
{
    const QUrl url = std::exchange(m_programNavigation, QUrl());
    if (url.isEmpty())
        return;
    if (shown)
        emit programNavigationShown(url);
    else
        emit programNavigationNotShown(url);
}

bool WebPage::refusedLocal(const QUrl &from, const QUrl &to)
{
    if (NetworkReach::mayLead(from, to))
        return false;
    // The user's click was spent on what was refused: what the page opens next is its own.
    m_lastUserAction.invalidate();
    emit localAddressRefused(to);
    return true;
}

bool WebPage::userJustActed() const
{
    return m_lastUserAction.isValid() && m_lastUserAction.elapsed() < userActionMs;
}

bool WebPage::takeUserRequest()
{
    return std::exchange(m_userNavigation, false) || userJustActed();
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // A frame's server may send it on into the local network, a step the engine does not judge
    // everywhere: the page the frame is in judges it, as it does the frame's first address.
    if (!isMainFrame)
        return type != NavigationTypeRedirect || NetworkReach::mayLead(this->url(), url);
    // What the user or the program opens, and the history, are no page's doing; a redirection is
    // that of the address it came from.
    const bool pageStarted = type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted
                             || type == NavigationTypeOther;
    const QUrl from = type == NavigationTypeRedirect ? m_lastRequested : pageStarted ? this->url() : QUrl();
    if (refusedLocal(from, url)) {
        if (type == NavigationTypeRedirect)
            endProgramNavigation(false);
        return false;
    }
    m_lastRequested = url;
    // A link the user has just clicked is the user's.
    if (type != NavigationTypeRedirect)
        m_pageStarted = pageStarted && !userJustActed();
    // Every address opened for the program or the user is noted as it starts.
    if (type != NavigationTypeRedirect && type != NavigationTypeTyped)
        m_programNavigation.clear();
    m_dialogs.pageLeft(url.host() == this->url().host());
    emit mainFrameNavigation(url, m_pageStarted);
    return true;
}

// The console is otherwise kept quiet.
void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int, const QString &)
{
    if (message == closeAskedMessage)
        emit closeAsked();
}

QWidget *WebPage::owner() const { return QWebEngineView::forPage(this); }

void WebPage::javaScriptAlert(const QUrl &origin, const QString &text)
{
    m_dialogs.ask(owner(), PageDialogs::Kind::Alert, origin.host(), text);
}

bool WebPage::javaScriptConfirm(const QUrl &origin, const QString &text)
{
    return m_dialogs.ask(owner(), PageDialogs::Kind::Confirm, origin.host(), text).accepted;
}

bool WebPage::javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultText, QString *result)
{
    const PageDialogs::Answer answer = m_dialogs.ask(owner(), PageDialogs::Kind::Prompt, origin.host(), text, defaultText);
    if (answer.accepted && result)
        *result = answer.text;
    return answer.accepted;
}
