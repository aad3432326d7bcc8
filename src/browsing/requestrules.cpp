#include "requestrules.h"

void RequestRules::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    m_localFiles.interceptRequest(info);
    m_localNetwork.interceptRequest(info);
}
