#include "webpage.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>

WebPage::WebPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    // A script may open a window only in answer to a click (the engine's popup rule).
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // No window is made: the owner decides where the page goes.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) { emit newWindowAsked(request.requestedUrl()); });
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (isMainFrame)
        emit mainFrameNavigation(url);
    return true;
}
