#include "localnetworkguard.h"

#include "core/networkreach.h"

void LocalNetworkGuard::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!NetworkReach::isLocal(info.requestUrl()))
        return;
    // The document that asked; a frame without an origin of its own (sandboxed) speaks for the
    // page it is in. A page's own address is what a top-level load asks for, so it never stands in.
    QUrl asking = info.initiator();
    if (asking.host().isEmpty() && info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        asking = info.firstPartyUrl();
    if (!NetworkReach::mayLead(asking, info.requestUrl()))
        info.block(true);
}
