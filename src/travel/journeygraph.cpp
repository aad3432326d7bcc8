#include "journeygraph.h"

#include "explorer.h"

#include <QUrl>

namespace {

constexpr int labelLength = 40;
constexpr size_t stepsInText = 3, stepsInTooltip = 300;

// The last named part of the address, so that a label stays short.
QString addressLabel(const QString &page)
{
    const QUrl url(page);
    const QString file = url.fileName();
    return file.isEmpty() ? url.host() % url.path() : file;
}

QString stepList(const std::vector<int> &steps, size_t shown)
{
    QStringList numbers;
    for (size_t i = 0; i < steps.size() && i < shown; ++i)
        numbers << QString::number(steps[i]);
    return numbers.join(QStringLiteral(", ")) % (steps.size() > shown ? QStringLiteral(" …") : QString());
}

} // namespace

void JourneyGraph::beginTravel(const QString &address)
{
    m_current = reach(address);
    nodes[m_current].travelsBegun << ++travels;
}

void JourneyGraph::endTravel() { m_current = -1; }

void JourneyGraph::addStep(const QString &address)
{
    ++steps;
    if (m_current < 0) {
        beginTravel(address);
        return;
    }
    const int node = reach(address);
    const quint64 key = (quint64(quint32(m_current)) << 32) | quint32(node);
    auto found = m_arrowOf.constFind(key);
    if (found == m_arrowOf.constEnd()) {
        arrows.push_back({m_current, node, {}});
        found = m_arrowOf.insert(key, int(arrows.size() - 1));
    }
    arrows[*found].steps.push_back(steps);
    m_current = node;
}

int JourneyGraph::reach(const QString &address)
{
    const QString page = Explorer::pageOf(address);
    auto found = m_nodeOf.constFind(page);
    if (found == m_nodeOf.constEnd()) {
        const QString host = QUrl(page).host();
        auto hostFound = m_hostOf.constFind(host);
        if (hostFound == m_hostOf.constEnd()) {
            hostFound = m_hostOf.insert(host, int(hosts.size()));
            hosts << host;
        }
        const int hostIndex = *hostFound;
        const QString title = m_titles.take(page);
        nodes.push_back({page, title.isEmpty() ? addressLabel(page) : title, 0, hostIndex, {}});
        found = m_nodeOf.insert(page, int(nodes.size() - 1));
    }
    ++nodes[*found].visits;
    return *found;
}

void JourneyGraph::setTitle(const QString &address, const QString &title)
{
    const QString page = Explorer::pageOf(address);
    const QString shown = title.simplified();
    if (shown.isEmpty() || page.isEmpty())
        return;
    if (const int node = m_nodeOf.value(page, -1); node >= 0)
        nodes[node].label = shown;
    else
        m_titles.insert(page, shown);
}

void JourneyGraph::setTitles(const QHash<QString, QString> &byPage)
{
    for (auto title = byPage.cbegin(); title != byPage.cend(); ++title) {
        const int node = m_nodeOf.value(title.key(), -1);
        if (node >= 0 && !title.value().isEmpty() && nodes[node].label != title.value())
            nodes[node].label = title.value().simplified();
    }
}

int JourneyGraph::nodeOf(const QString &address) const { return m_nodeOf.value(Explorer::pageOf(address), -1); }

int JourneyGraph::arrowOf(int from, int to) const
{
    return m_arrowOf.value((quint64(quint32(from)) << 32) | quint32(to), -1);
}

QString JourneyGraph::nodeText(const Node &node)
{
    QString text = node.label.size() > labelLength ? node.label.left(labelLength - 1) % u'…' : node.label;
    if (!node.travelsBegun.isEmpty()) {
        QStringList travels;
        for (int travel : node.travelsBegun.mid(0, 3))
            travels << QString::number(travel);
        text = u"▶" % travels.join(u',') % (node.travelsBegun.size() > 3 ? QStringLiteral("…") : QString()) % u' ' %
               text;
    }
    if (node.visits > 1)
        text += u" ×" % QString::number(node.visits);
    return text;
}

QString JourneyGraph::arrowText(const Arrow &arrow)
{
    if (arrow.steps.size() == 1)
        return QString::number(arrow.steps.front());
    return u'×' % QString::number(arrow.steps.size()) % u": " % stepList(arrow.steps, stepsInText);
}

QString JourneyGraph::arrowSteps(const Arrow &arrow) { return stepList(arrow.steps, stepsInTooltip); }
