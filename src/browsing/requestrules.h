#pragma once

#include "localfilerule.h"
#include "localnetworkguard.h"

#include <QWebEngineUrlRequestInterceptor>

// The one interceptor a profile has: every request of its pages passes each of the program's
// rules in turn, and one that refuses it ends it.
class RequestRules : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    LocalFileRule m_localFiles;
    LocalNetworkGuard m_localNetwork;
};
