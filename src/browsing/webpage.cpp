#include "webpage.h"

#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>
#include <QWebEngineView>

WebPage::WebPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    // A script may open a window only in answer to a click (the engine's popup rule).
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // An address that cannot be reached gets the program's own page, which names it.
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // The engine's PDF viewer shows PDF documents, the program's help among them.
    settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // No window is made: the owner decides where the page goes.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) { emit newWindowAsked(request.requestedUrl()); });
    // A document shown ends what the user asked for: what its scripts start later is theirs.
    connect(this, &QWebEnginePage::urlChanged, this, [this] { m_userNavigation = false; });
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &loading) {
        if (loading.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
            m_userNavigation = false;
    });
}

bool WebPage::takeUserRequest()
{
    const bool clicked = m_lastUserAction.isValid() && m_lastUserAction.elapsed() < userActionMs;
    return std::exchange(m_userNavigation, false) || clicked;
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    m_dialogs.pageLeft(url.host() == this->url().host());
    emit mainFrameNavigation(url);
    return true;
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
