#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Refuses what a public page asks of the local network: its pictures, scripts, frames, requests
// and connections, and its own navigations, each judged by the address asked for as written, at
// every step of a redirection. The engine asks it on the program's thread. The user's own loads
// carry no page that started them and pass; where they are redirected, the page's navigation
// hook judges (WebPage).
class LocalNetworkGuard : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
};
