#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>

// The pages a journey has seen links to but not visited yet, kept by the page that offered them,
// so that a step can still reach a new page when the page shown offers none, or go back to a page
// that does. Pages are kept by their same-page form (Explorer::pageOf); each is opened by the
// first address that led to it.
class JourneyFrontier
{
public:
    // Records what a page shown offers, the first time it is shown: its candidates' pages that the
    // journey has not visited.
    void offer(const QString &page, const QStringList &candidates, const QSet<QString> &visited);
    bool hasOffered(const QString &page) const { return m_unvisitedOf.contains(page); }

    // The addresses of the unvisited pages that the latest page still offering any offers; empty
    // when no page does.
    QStringList latestUnvisited(const QSet<QString> &visited);
    // Every page but the one shown that still offers an unvisited page, in the order they came in.
    QStringList pagesStillOffering(const QSet<QString> &visited, const QString &shownPage);

private:
    // False when nothing the page offers is unvisited any more, which closes it for good.
    bool stillOffers(const QString &page, const QSet<QString> &visited);

    QHash<QString, QString> m_addressOf;
    QHash<QString, QStringList> m_unvisitedOf;
    // The pages not known to be closed yet, oldest first.
    QStringList m_open;
};
