#pragma once

#include "exploreroptions.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <functional>

// Chooses the next page of a journey among the links travel harvested, by the explorer options.
// It remembers the pages the journey has visited (compared without their "#" place), the host
// travel was started on and, for jumping back, the candidates each page offered.
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
    // found any, which a page without links falls back on unless the step may jump back.
    QString choose(const QString &shownAddress, const QStringList &pageLinks, const QStringList &earlierLinks,
                   const Uniform &uniform);

    bool visited(const QString &address) const { return m_visited.contains(pageOf(address)); }

    // The address without its "#" place: the page it shows.
    static QString pageOf(const QString &address);

private:
    QStringList candidatesOf(const QString &shownPage, const QStringList &links) const;
    QString explore(const QString &shownPage, const QStringList &pageLinks, const QStringList &earlierLinks,
                    const Uniform &uniform);
    QString jumpBack(const QString &shownPage, const Uniform &uniform);

    ExplorerOptions m_options;
    QString m_siteHost;
    QSet<QString> m_visited;
    // Kept only while jumping back is on: the pages each page offered that are not visited yet,
    // and the order the pages came in.
    QHash<QString, QSet<QString>> m_unvisitedOf;
    QStringList m_pagesInOrder;
};
