#include "webpage.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

// Downloads start only when the program saves a page for the user; any other is refused.
static QWebEngineProfile *configuredProfile()
{
    QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
    if (!profile->property("tamzoConfigured").toBool()) {
        profile->setProperty("tamzoConfigured", true);
        QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                         [](QWebEngineDownloadRequest *download) {
                             if (download->isSavePageDownload())
                                 download->accept();
                             else
                                 download->cancel();
                         });
    }
    return profile;
}

WebPage::WebPage(QObject *parent) : QWebEnginePage(configuredProfile(), parent) {}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (isMainFrame)
        emit mainFrameNavigation(url);
    return true;
}

QWebEnginePage *WebPage::createWindow(WebWindowType) { return this; }
