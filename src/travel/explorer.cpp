#include "explorer.h"

#include "travelharvest.h"

#include <QUrl>
#include <algorithm>

static QString hostOf(const QString &address) { return QUrl(address).host(); }

static int defaultPortOf(const QString &scheme)
{
    return scheme == u"https" ? 443 : scheme == u"http" ? 80 : -1;
}

QString Explorer::pageOf(const QString &address)
{
    QUrl url(address);
    if (!url.isValid())
        return address.section(u'#', 0, 0);
    // Resolving an address against itself takes out its "." and ".." segments.
    url = url.resolved(url).adjusted(QUrl::RemoveFragment);
    if (url.port() != -1 && url.port() == defaultPortOf(url.scheme()))
        url.setPort(-1);
    QString path = url.path(QUrl::FullyEncoded);
    static const QStringList folderPages = {QStringLiteral("/index.html"), QStringLiteral("/index.htm")};
    for (const QString &folderPage : folderPages) {
        if (path.endsWith(folderPage, Qt::CaseInsensitive))
            path.chop(folderPage.size() - 1);
    }
    if (path.isEmpty() && !url.host().isEmpty())
        path = u'/';
    url.setPath(path, QUrl::TolerantMode);
    return url.toString();
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
    QStringList candidates = candidatesOf(shownPage, pageLinks);
    if (m_options.preferNewPages || m_options.jumpBackAtDeadEnd)
        m_frontier.offer(shownPage, candidates, m_visited);
    // A page whose links the options all set aside is, to the walk, a page without links.
    if (candidates.isEmpty() && !m_options.jumpBackAtDeadEnd)
        candidates = candidatesOf(shownPage, earlierLinks);
    if (candidates.isEmpty()) {
        // A dead end: back to a page that still offers new ones or, preferring new pages, straight
        // on to one of them.
        const QStringList elsewhere = m_options.jumpBackAtDeadEnd ? m_frontier.pagesStillOffering(m_visited, shownPage)
                                      : m_options.preferNewPages  ? m_frontier.latestUnvisited(m_visited)
                                                                  : QStringList();
        return elsewhere.isEmpty() ? QString() : drawn(elsewhere, uniform());
    }
    if (m_options.preferNewPages) {
        const QStringList fresh = newPagesAmong(candidates);
        if (!fresh.isEmpty())
            candidates = fresh;
    }
    return drawn(candidates, uniform());
}

// The candidates that lead to pages new to the journey or, when none does, the new pages an
// earlier page offered: the latest that still offers any, so the walk goes on near where it is.
QStringList Explorer::newPagesAmong(const QStringList &candidates)
{
    QStringList fresh;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(fresh),
                 [this](const QString &link) { return !visited(link); });
    return fresh.isEmpty() ? m_frontier.latestUnvisited(m_visited) : fresh;
}
