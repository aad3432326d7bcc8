#include "bookmarkfields.h"

#include "linktablefile.h"

#include <QDateTime>
#include <QHash>

namespace {

constexpr qsizetype longestEntityName = 32;
// 9999-12-30 23:59:59 UTC: still in the year 9999 in every time zone.
constexpr qint64 latestSeconds = 253402214399;

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool isDigitOf(QChar c, bool hex)
{
    return (c >= u'0' && c <= u'9') || (hex && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
}

std::optional<QString> namedEntity(QStringView name)
{
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QString(QChar(0xA0))},
    };
    const auto found = named.constFind(name.toString().toLower());
    return found == named.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

std::optional<QString> numericEntity(QStringView digits, bool hex)
{
    bool ok = false;
    const uint code = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    const char32_t character = code;
    return QString::fromUcs4(&character, 1);
}

// The entity at text[at] (an "&"): its text and where it ends.
std::optional<std::pair<QString, qsizetype>> entityAt(QStringView text, qsizetype at)
{
    const qsizetype size = text.size();
    qsizetype from = at + 1;
    const bool numeric = from < size && text[from] == u'#';
    const bool hex = numeric && from + 1 < size && (text[from + 1] == u'x' || text[from + 1] == u'X');
    if (numeric)
        from += hex ? 2 : 1;
    const qsizetype longest = numeric ? (hex ? 6 : 7) : longestEntityName;
    qsizetype end = from;
    while (end < size && end - from <= longest && (numeric ? isDigitOf(text[end], hex) : isAsciiLetter(text[end])))
        ++end;
    if (end == from || end - from > longest || end >= size || text[end] != u';')
        return std::nullopt;
    const QStringView body = text.sliced(from, end - from);
    const std::optional<QString> decoded = numeric ? numericEntity(body, hex) : namedEntity(body);
    if (!decoded)
        return std::nullopt;
    return std::pair(*decoded, end + 1);
}

} // namespace

QString BookmarkFields::decodeEntities(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype amp = text.indexOf(u'&', from);
        if (amp < 0) {
            decoded += text.sliced(from);
            break;
        }
        decoded += text.sliced(from, amp - from);
        if (const auto entity = entityAt(text, amp)) {
            decoded += entity->first;
            from = entity->second;
        } else {
            decoded += u'&';
            from = amp + 1;
        }
    }
    return decoded;
}

QString BookmarkFields::text(QStringView html)
{
    const qsizetype size = html.size();
    QString text;
    text.reserve(size);
    for (qsizetype at = 0; at < size;) {
        if (!html[at].isSpace()) {
            text += html[at++];
            continue;
        }
        qsizetype end = at;
        bool layout = false;
        for (; end < size && html[end].isSpace(); ++end)
            layout = layout || html[end] != u' ';
        if (!layout)
            text += html.sliced(at, end - at);
        else if (at > 0 && end < size)
            text += u' ';
        at = end;
    }
    return LinkTableFile::textFromPage(decodeEntities(text));
}

QString BookmarkFields::escaped(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        // A space at either end would join the file's layout around the text.
        const bool atEnd = at == 0 || at == text.size() - 1;
        if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>')
            out += u"&gt;";
        else if (c == u'"')
            out += u"&quot;";
        else if (c == u'\'')
            out += u"&#39;";
        else if (c.isSpace() && (c != u' ' || atEnd))
            out += u"&#" % QString::number(c.unicode()) % u';';
        else
            out += c;
    }
    return out;
}

std::optional<QString> BookmarkFields::webAddress(QStringView html)
{
    QString address = decodeEntities(html);
    address.removeIf([](QChar c) {
        return c == u'\t' || c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
    // Control characters and spaces at either end go, as browsers take an address.
    qsizetype first = 0, last = address.size();
    while (first < last && address[first].unicode() <= 0x20)
        ++first;
    while (last > first && address[last - 1].unicode() <= 0x20)
        --last;
    address = address.sliced(first, last - first);
    const qsizetype colon = address.indexOf(u':');
    const QStringView scheme = QStringView(address).left(std::max<qsizetype>(colon, 0));
    const bool web = scheme.compare(u"http", Qt::CaseInsensitive) == 0 || scheme.compare(u"https", Qt::CaseInsensitive) == 0;
    if (!web || colon + 1 >= address.size())
        return std::nullopt;
    return LinkTableFile::addressFromPage(address);
}

QString BookmarkFields::dateFromSeconds(QStringView seconds, const QString &today)
{
    bool ok = false;
    qint64 value = seconds.trimmed().toLongLong(&ok);
    for (int shorter = 0; ok && shorter < 2 && value > latestSeconds; ++shorter)
        value /= 1000;
    if (!ok || value <= 0 || value > latestSeconds)
        return today;
    const QDateTime added = QDateTime::fromSecsSinceEpoch(value);
    if (!added.isValid())
        return today;
    return added.time() == QTime(0, 0) ? added.date().toString(dateFormat) : added.toString(dateTimeFormat);
}

std::optional<qint64> BookmarkFields::secondsFromDate(const QString &date)
{
    const QDateTime moment = date.size() == dateFormat.size()
                                 ? QDate::fromString(date, dateFormat).startOfDay()
                                 : QDateTime::fromString(date, dateTimeFormat);
    if (!moment.isValid())
        return std::nullopt;
    return moment.toSecsSinceEpoch();
}
