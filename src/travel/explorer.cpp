#include "explorer.h"

#include "travelharvest.h"

#include <QUrl>
#include <algorithm>

static QString hostOf(const QString &address) { return QUrl(address).host(); }

QString Explorer::pageOf(const QString &address)
{
    const QUrl url(address);
    if (!url.isValid())
        return address.section(u'#', 0, 0);
    return url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments).toString();
}

void Explorer::startOn(const QString &shownAddress) { m_siteHost = hostOf(shownAddress); }

// One draw over a list, as the plain walk draws over its slots.
static QString drawn(const QStringList &list, double r)
{
    const int index = std::clamp(TravelHarvest::pickIndex(r, int(list.size())), 1, int(list.size()));
    return list.at(index - 1);
}

QStringList Explorer::candidatesOf(const QString &shownPage, const QStringList &links) const
{
    QStringList candidates;
    for (const QString &link : links) {
        if (m_options.skipSamePage && pageOf(link) == shownPage)
            continue;
        if (m_options.stayOnSite && hostOf(link) != m_siteHost)
            continue;
        candidates << link;
    }
    return candidates;
}

QString Explorer::choose(const QString &shownAddress, const QStringList &pageLinks, const QStringList &earlierLinks,
                         const Uniform &uniform)
{
    const QString shownPage = pageOf(shownAddress);
    if (m_siteHost.isEmpty())
        m_siteHost = hostOf(shownAddress);
    m_visited.insert(shownPage);
    QString pick;
    if (m_options.anyOn()) {
        pick = explore(shownPage, pageLinks, earlierLinks, uniform);
    } else {
        const QStringList &range = pageLinks.isEmpty() ? earlierLinks : pageLinks;
        pick = range.isEmpty() ? QString() : drawn(range, uniform());
    }
    if (!pick.isEmpty())
        m_visited.insert(pageOf(pick));
    return pick;
}

QString Explorer::explore(const QString &shownPage, const QStringList &pageLinks, const QStringList &earlierLinks,
                          const Uniform &uniform)
{
    const bool fallBack = pageLinks.isEmpty() && !m_options.jumpBackAtDeadEnd;
    QStringList candidates = candidatesOf(shownPage, fallBack ? earlierLinks : pageLinks);
    if (m_options.jumpBackAtDeadEnd && !m_unvisitedOf.contains(shownPage)) {
        QSet<QString> pages;
        for (const QString &link : candidates)
            pages.insert(pageOf(link));
        m_unvisitedOf.insert(shownPage, pages);
        m_pagesInOrder << shownPage;
    }
    if (candidates.isEmpty())
        return m_options.jumpBackAtDeadEnd ? jumpBack(shownPage, uniform) : QString();
    if (m_options.preferNewPages) {
        QStringList fresh;
        std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(fresh),
                     [this](const QString &link) { return !visited(link); });
        if (!fresh.isEmpty())
            candidates = fresh;
    }
    return drawn(candidates, uniform());
}

QString Explorer::jumpBack(const QString &shownPage, const Uniform &uniform)
{
    QStringList open;
    for (const QString &page : std::as_const(m_pagesInOrder)) {
        QSet<QString> &unvisited = m_unvisitedOf[page];
        unvisited.removeIf([this](const QString &candidate) { return m_visited.contains(candidate); });
        if (page != shownPage && !unvisited.isEmpty())
            open << page;
    }
    return open.isEmpty() ? QString() : drawn(open, uniform());
}
