#include "journeysites.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QString JourneySites::knownSitesPath(const QString &journeyPath)
{
    const QFileInfo journey(journeyPath);
    return journey.dir().filePath(journey.completeBaseName() + QStringLiteral(".sites"));
}

WriteResult JourneySites::recordKnown(const QString &journeyPath, const QStringList &sites)
{
    return TextFile::writeLines(knownSitesPath(journeyPath), sites, TextFile::Access::OwnerOnly);
}

std::optional<QStringList> JourneySites::known(const QString &journeyPath)
{
    std::optional<QStringList> lines = TextFile::readLines(knownSitesPath(journeyPath));
    if (lines)
        lines->removeAll(QString());
    return lines;
}

QStringList JourneySites::hostsOf(const QStringList &addresses)
{
    QStringList hosts;
    for (const QString &address : addresses) {
        const QString host = QUrl(address).host().toLower();
        if (!host.isEmpty() && !hosts.contains(host))
            hosts.append(host);
    }
    return hosts;
}

QStringList JourneySites::newSites(const QStringList &hosts, const QStringList &known)
{
    const auto related = [](const QString &host, const QString &site) {
        return host == site || host.endsWith(u'.' + site) || site.endsWith(u'.' + host);
    };
    QStringList fresh;
    for (const QString &host : hosts) {
        if (std::none_of(known.cbegin(), known.cend(), [&](const QString &site) { return related(host, site.toLower()); }))
            fresh.append(host);
    }
    return fresh;
}

QList<QUrl> JourneySites::originsOf(const QStringList &addresses, const QStringList &hosts)
{
    QList<QUrl> origins;
    const auto add = [&origins](const QUrl &origin) {
        if (!origins.contains(origin))
            origins.append(origin);
    };
    for (const QString &address : addresses) {
        const QUrl url(address);
        if (hosts.contains(url.host().toLower())) {
            QUrl origin = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo);
            origin.setPath(QStringLiteral("/"));
            add(origin);
        }
    }
    for (const QString &host : hosts) {
        for (const char *scheme : {"http", "https"}) {
            QUrl origin;
            origin.setScheme(QString::fromLatin1(scheme));
            origin.setHost(host);
            origin.setPath(QStringLiteral("/"));
            add(origin);
        }
    }
    return origins;
}
