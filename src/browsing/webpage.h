#pragma once

#include <QWebEnginePage>

// The engine page of one view: reports main-frame navigations before they start, opens
// pages that ask for a new window in the same view, and keeps the page's console quiet.
class WebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    WebPage(QWebEngineProfile *profile, QObject *parent);

signals:
    void mainFrameNavigation(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }
};
