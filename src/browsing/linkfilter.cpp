#include "linkfilter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QVariant>

QString LinkFilter::walkScript() const
{
    // The walk stops at the limit, so a page of thousands of links costs only what is kept.
    // One joined text crosses into the program far faster than a list of values; an address
    // never holds a line feed.
    static const QString walk = QStringLiteral(
        "(function (prefixes, excluded, limit) {"
        "  var kept = [], links = document.links;"
        "  for (var i = 0; i < links.length && (limit === 0 || kept.length < limit); ++i) {"
        "    var href = links[i].href;"
        "    if (typeof href !== 'string') continue;"
        "    var lower = href.toLowerCase();"
        "    if (prefixes.length && !prefixes.some(function (p) { return lower.startsWith(p); })) continue;"
        "    if (excluded.some(function (e) { return lower.indexOf(e) >= 0; })) continue;"
        "    kept.push(href);"
        "  }"
        "  return kept.join('\\n');"
        "})(%1, %2, %3)");
    const auto json = [](const QStringList &texts) {
        return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
    };
    return walk.arg(json(prefixes), json(excluded)).arg(limit);
}

QStringList LinkFilter::kept(const QVariant &answer)
{
    const QString joined = answer.toString();
    return joined.isEmpty() ? QStringList() : joined.split(u'\n');
}
