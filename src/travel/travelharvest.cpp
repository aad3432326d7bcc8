#include "travelharvest.h"

namespace TravelHarvest {

bool accepts(QStringView href)
{
    const QString lower = href.toString().toLower();
    if (!lower.startsWith(u"http://") && !lower.startsWith(u"https://"))
        return false;
    for (const char16_t *excluded : {u".exe", u"/rss/", u".zip", u".rar", u".msi"}) {
        if (lower.contains(QStringView(excluded)))
            return false;
    }
    return true;
}

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
