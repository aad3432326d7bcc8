#pragma once

#include "browsing/webview.h"

#include <QStringList>
#include <array>

// Which links of a page travel may open, and where they are kept.
namespace TravelHarvest {

constexpr int maximumLinks = 499;
// A page may offer addresses of up to the engine's 2 MB, which each step would write into the
// log and the journey. No page a person links to has such an address: servers refuse request
// lines past 8 KB, and the history keeps no longer entry than this.
constexpr int longestAddress = 4096;

// An address is a candidate when it is http or https, is neither a download nor a feed (compared
// without regard to case) and is no longer than longestAddress.
bool accepts(QStringView href);

// The same rule for the engine's walk of the document, which stops at maximumLinks.
LinkFilter documentFilter();

// Stores the accepted addresses, as read, at 1, 2, 3 ... of links, in document order, up to
// maximumLinks; the slots past them keep what earlier harvests left. Returns how many it stored.
int harvest(const QStringList &hrefs, std::array<QString, 501> &links);

// The index chosen by a uniform draw r in [0, 1) over 1 .. range.
int pickIndex(double r, int range);

} // namespace TravelHarvest
