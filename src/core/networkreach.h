#pragma once

#include <QHostAddress>
#include <QString>
#include <QUrl>

// The one rule of the program for the local network: an address is local when it is this machine,
// a private or shared network, link-local, or any other address that is not public unicast
// (multicast, reserved, documentation and benchmark ranges). A page on a public address may lead
// (travel, its pictures, frames, scripts, forms and links) only to public addresses; a page on a
// local address, and whatever the user opens, may lead anywhere.
namespace NetworkReach {

// How a host is judged before any resolving: a local or public address (in any spelling the web
// engine reads: "127.1", "0x7f000001", "2130706433", "017700000001", with trailing dots), a
// name that is local by itself (localhost and the names below it, the local network's .local,
// .home.arpa and .internal), or another name, which only its resolved addresses can judge.
enum class Host { Local, Public, Name };
Host judge(const QString &host);

// An IPv6 address carrying an IPv4 one (mapped, NAT64's well-known prefix, 6to4) is judged by that.
bool isLocalAddress(const QHostAddress &address);

// A web address on a local host; one that cannot be read counts as local.
bool isLocal(const QUrl &address);

// A web address (or a blob of one) on a host that is not local; the program's own pages, files
// and the engine's own pages are no public pages.
bool isPublicPage(const QUrl &page);

bool mayLead(const QUrl &from, const QUrl &to);

// Whether the address must be resolved before a page at `from` may be led there.
bool needsResolving(const QUrl &from, const QUrl &to);

} // namespace NetworkReach
