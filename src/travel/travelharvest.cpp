#include "travelharvest.h"

#include <algorithm>

namespace TravelHarvest {

static const QStringList schemes = {QStringLiteral("http://"), QStringLiteral("https://")};
static const QStringList excludedTexts = {QStringLiteral(".exe"), QStringLiteral("/rss/"), QStringLiteral(".zip"),
                                          QStringLiteral(".rar"), QStringLiteral(".msi")};

bool accepts(QStringView href)
{
    if (href.size() > longestAddress)
        return false;
    const QString lower = href.toString().toLower();
    const auto startsLower = [&](const QString &scheme) { return lower.startsWith(scheme); };
    const auto containsLower = [&](const QString &text) { return lower.contains(text); };
    return std::any_of(schemes.begin(), schemes.end(), startsLower) &&
           std::none_of(excludedTexts.begin(), excludedTexts.end(), containsLower);
}

LinkFilter documentFilter() { return LinkFilter{schemes, excludedTexts, maximumLinks, longestAddress}; }

int harvest(const QStringList &hrefs, std::array<QString, 501> &links)
{
    int count = 0;
    for (const QString &href : hrefs) {
        if (!accepts(href))
            continue;
        links[++count] = href;
        if (count >= maximumLinks)
            break;
    }
    return count;
}

int pickIndex(double r, int range) { return static_cast<int>(r * range + 1); }

} // namespace TravelHarvest
