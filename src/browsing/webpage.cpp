#include "webpage.h"

WebPage::WebPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent) {}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (isMainFrame)
        emit mainFrameNavigation(url);
    return true;
}

QWebEnginePage *WebPage::createWindow(WebWindowType) { return this; }
