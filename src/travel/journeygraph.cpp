#include "journeygraph.h"

#include "explorer.h"

#include <QUrl>

// The last named part of the address, so that a label stays short.
static QString addressLabel(const QString &page)
{
    const QUrl url(page);
    const QString file = url.fileName();
    return file.isEmpty() ? url.host() % url.path() : file;
}

JourneyGraph JourneyGraph::fromAddresses(const QStringList &addresses, const QHash<QString, QString> &titles)
{
    JourneyGraph graph;
    QHash<QString, int> nodeOf;
    QHash<QString, int> hostOf;
    int previous = -1;
    for (int i = 0; i < addresses.size(); ++i) {
        const QString page = Explorer::pageOf(addresses[i]);
        auto found = nodeOf.constFind(page);
        if (found == nodeOf.constEnd()) {
            const QString host = QUrl(page).host();
            auto hostFound = hostOf.constFind(host);
            if (hostFound == hostOf.constEnd()) {
                hostFound = hostOf.insert(host, int(graph.hosts.size()));
                graph.hosts << host;
            }
            const QString title = titles.value(page).simplified();
            graph.nodes.push_back({page, title.isEmpty() ? addressLabel(page) : title, 0, *hostFound});
            found = nodeOf.insert(page, int(graph.nodes.size() - 1));
        }
        ++graph.nodes[*found].visits;
        if (previous >= 0)
            graph.arrows.push_back({previous, *found, i + 1});
        previous = *found;
    }
    return graph;
}
