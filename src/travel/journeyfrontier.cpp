#include "journeyfrontier.h"

#include "explorer.h"

void JourneyFrontier::offer(const QString &page, const QStringList &candidates, const QSet<QString> &visited)
{
    if (hasOffered(page))
        return;
    QStringList unvisited;
    QSet<QString> listed;
    for (const QString &candidate : candidates) {
        const QString candidatePage = Explorer::pageOf(candidate);
        if (visited.contains(candidatePage) || listed.contains(candidatePage))
            continue;
        listed.insert(candidatePage);
        // The key kept is the one in the address table, so the page's text is stored once.
        const auto known = m_addressOf.constFind(candidatePage);
        unvisited << (known != m_addressOf.constEnd() ? known.key()
                                                      : m_addressOf.insert(candidatePage, candidate).key());
    }
    m_addressOf.insert(page, page);
    m_unvisitedOf.insert(page, unvisited);
    m_open << page;
}

bool JourneyFrontier::stillOffers(const QString &page, const QSet<QString> &visited)
{
    QStringList &unvisited = m_unvisitedOf[page];
    unvisited.removeIf([&visited](const QString &candidatePage) { return visited.contains(candidatePage); });
    return !unvisited.isEmpty();
}

QStringList JourneyFrontier::latestUnvisited(const QSet<QString> &visited)
{
    while (!m_open.isEmpty()) {
        const QString page = m_open.last();
        if (stillOffers(page, visited)) {
            QStringList addresses;
            for (const QString &candidatePage : std::as_const(m_unvisitedOf[page]))
                addresses << m_addressOf.value(candidatePage);
            return addresses;
        }
        m_open.removeLast();
    }
    return {};
}

QStringList JourneyFrontier::pagesStillOffering(const QSet<QString> &visited, const QString &shownPage)
{
    m_open.removeIf([&](const QString &page) { return !stillOffers(page, visited); });
    QStringList pages;
    for (const QString &page : std::as_const(m_open)) {
        if (page != shownPage)
            pages << m_addressOf.value(page);
    }
    return pages;
}
