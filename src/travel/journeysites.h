#pragma once

#include "core/textfile.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <optional>

// Which sites a journey found new. When a journey begins, the sites whose cookies the web engine
// holds are the ones the user had been to before it: they are kept in a small file beside the
// journey ("Journey 2026-12-08 14-05-09.sites", one site a line). A site is the host of an
// address or a cookie's domain; a journey's site is new when no known site is the same, a
// domain above it or a host below it.
class JourneySites
{
public:
    static QString knownSitesPath(const QString &journeyPath);
    static WriteResult recordKnown(const QString &journeyPath, const QStringList &sites);
    // Nothing when the journey has no record (it began before the program kept one).
    static std::optional<QStringList> known(const QString &journeyPath);

    // The hosts of the addresses, in lower case, in order, once each.
    static QStringList hostsOf(const QStringList &addresses);
    static QStringList newSites(const QStringList &hosts, const QStringList &known);
    // The origins to clear for those hosts: each address's own, and the host's by http and https.
    static QList<QUrl> originsOf(const QStringList &addresses, const QStringList &hosts);
};
