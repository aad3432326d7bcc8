#pragma once

#include "exploreroptions.h"
#include "journeyfrontier.h"

#include <QSet>
#include <QStringList>
#include <functional>

// Chooses the next page of a journey among the links travel harvested, by the explorer options.
// It remembers the pages the journey has visited (in their same-page form), the host travel was
// started on and, for preferring new pages and jumping back, what each page offered.
class Explorer
{
public:
    using Uniform = std::function<double()>;

    const ExplorerOptions &options() const { return m_options; }
    void setOptions(const ExplorerOptions &options) { m_options = options; }

    // Travel starts (again) on this page: its host is the site to stay on.
    void startOn(const QString &shownAddress);

    // The address of the next step, or empty when there is none to open.
    // pageLinks: the links harvested from the page shown; earlierLinks: the latest harvest that
    // found any, which a page without candidates falls back on unless the step may jump back.
    QString choose(const QString &shownAddress, const QStringList &pageLinks, const QStringList &earlierLinks,
                   const Uniform &uniform);

    bool visited(const QString &address) const { return m_visited.contains(pageOf(address)); }

    // The page an address shows, in one spelling for every address of it: without its "#" place,
    // its path's "." and ".." segments resolved, without the default port, a folder's "index.html"
    // (or ".htm") named by the folder and an empty path as "/".
    static QString pageOf(const QString &address);

private:
    QStringList candidatesOf(const QString &shownPage, const QStringList &links) const;
    QString explore(const QString &shownPage, const QStringList &pageLinks, const QStringList &earlierLinks,
                    const Uniform &uniform);
    QStringList newPagesAmong(const QStringList &candidates);

    ExplorerOptions m_options;
    QString m_siteHost;
    QSet<QString> m_visited;
    JourneyFrontier m_frontier;
};
