#include "bookmarkshtml.h"

#include "linktable.h"
#include "linktablefile.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

namespace {

const QString secretAttribute = QStringLiteral("TAMZO_SECRET");

QString decodeEntities(const QString &text)
{
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QStringLiteral(" ")},
    };
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]+);"));
    QString decoded;
    qsizetype from = 0;
    for (auto match = entity.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        decoded += QStringView(text).mid(from, m.capturedStart() - from);
        const QString name = m.captured(1);
        bool known = true;
        if (name.startsWith(u'#')) {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            const uint code = name.mid(hex ? 2 : 1).toUInt(nullptr, hex ? 16 : 10);
            known = code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            if (known)
                decoded += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        } else if (named.contains(name.toLower())) {
            decoded += named.value(name.toLower());
        } else {
            known = false;
        }
        if (!known)
            decoded += m.captured(0);
        from = m.capturedEnd();
    }
    return decoded + QStringView(text).mid(from);
}

QString escaped(const QString &text)
{
    QString out = text.toHtmlEscaped();
    return out.replace(u'\'', QStringLiteral("&#39;"));
}

QHash<QString, QString> attributesOf(const QString &tagBody)
{
    static const QRegularExpression attribute(
        QStringLiteral(R"re(([A-Za-z_:][-A-Za-z0-9_:.]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    QHash<QString, QString> attributes;
    for (auto match = attribute.globalMatch(tagBody); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const QString value = m.captured(2) + m.captured(3) + m.captured(4);
        attributes.insert(m.captured(1).toUpper(), decodeEntities(value));
    }
    return attributes;
}

// Text of a page as a field: entities decoded, blanks and line breaks folded into one blank.
QString fieldText(const QString &html) { return LinkTableFile::textFromPage(decodeEntities(html).simplified()); }

bool linkable(const QString &address)
{
    static const QRegularExpression refused(QStringLiteral("^\\s*(javascript|data|place|about):"),
                                            QRegularExpression::CaseInsensitiveOption);
    return !address.trimmed().isEmpty() && !refused.match(address).hasMatch();
}

QString dateFrom(const QString &secondsSinceEpoch, const QString &today)
{
    bool ok = false;
    const qint64 seconds = secondsSinceEpoch.toLongLong(&ok);
    const QDate date = ok && seconds > 0 ? QDateTime::fromSecsSinceEpoch(seconds).date() : QDate();
    // A table's date has four digits of year; a later one would not read back as a date.
    return date.isValid() && date.year() <= 9999 ? date.toString(QStringLiteral("yyyy-MM-dd")) : today;
}

} // namespace

QString BookmarksHtml::tableTitle(const QString &folderName)
{
    QString title = decodeEntities(folderName).simplified();
    return title.replace(u',', u';');
}

BookmarksHtml::Contents BookmarksHtml::read(const QString &html, const QString &today)
{
    // The file is tag soup: a heading <H3> names the folder whose <DL> follows it, each <A> is a
    // link of the innermost open folder, and a <DD> after a link describes it.
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z][A-Za-z0-9]*)([^>]*)>"));
    Contents contents;
    contents.folders.push_back({});
    std::vector<size_t> open{0};
    QString pendingFolder;
    bool havePendingFolder = false;

    enum class Capture { None, FolderName, LinkTitle, Description } capture = Capture::None;
    QString captured;
    QHash<QString, QString> linkAttributes;
    LinkRow *lastLink = nullptr;

    const auto finishCapture = [&] {
        switch (capture) {
        case Capture::FolderName:
            pendingFolder = tableTitle(captured);
            havePendingFolder = true;
            break;
        case Capture::LinkTitle: {
            const QString address = linkAttributes.value(QStringLiteral("HREF")).trimmed();
            if (!linkable(address)) {
                ++contents.skipped;
                lastLink = nullptr;
                break;
            }
            LinkRow row;
            row[LinkRow::Address] = LinkTableFile::addressFromPage(address);
            const QString title = fieldText(captured);
            // A link without a title is named by its address, blanks folded as in any title.
            row[LinkRow::Title] = title.isEmpty() ? row[LinkRow::Address].simplified() : title;
            row[LinkRow::Secret] = fieldText(linkAttributes.value(secretAttribute));
            row[LinkRow::Typed] = LinkTable::typedText(row[LinkRow::Address]);
            row[LinkRow::Date] = dateFrom(linkAttributes.value(QStringLiteral("ADD_DATE")), today);
            auto &rows = contents.folders[open.back()].rows;
            rows.push_back(row);
            lastLink = &rows.back();
            break;
        }
        case Capture::Description:
            if (lastLink)
                (*lastLink)[LinkRow::Notes] = fieldText(captured);
            lastLink = nullptr;
            break;
        case Capture::None:
            break;
        }
        capture = Capture::None;
        captured.clear();
    };

    qsizetype from = 0;
    for (auto match = tag.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (capture != Capture::None)
            captured += QStringView(html).mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toUpper();
        const bool entryTag = name == u"DT" || name == u"DL" || name == u"DD" || name == u"HR" || name == u"H3" || name == u"A";

        if (capture == Capture::FolderName || capture == Capture::LinkTitle) {
            // Markup inside a title is dropped; its own end tag ends it, and so does the next entry
            // when the file left the title open.
            if (closing && name == (capture == Capture::FolderName ? u"H3" : u"A")) {
                finishCapture();
                continue;
            }
            if (!entryTag)
                continue;
        }
        if (capture != Capture::None && entryTag)
            finishCapture();

        if (closing) {
            if (name == u"DL" && open.size() > 1)
                open.pop_back();
            continue;
        }
        if (name == u"H3") {
            capture = Capture::FolderName;
            lastLink = nullptr;
        } else if (name == u"A") {
            capture = Capture::LinkTitle;
            linkAttributes = attributesOf(m.captured(3));
        } else if (name == u"DD") {
            capture = Capture::Description;
        } else if (name == u"DL") {
            if (havePendingFolder) {
                contents.folders.push_back({pendingFolder, {}});
                open.push_back(contents.folders.size() - 1);
            } else {
                // A list without a heading (the file's own top list) belongs to the folder around it.
                open.push_back(open.back());
            }
            havePendingFolder = false;
            lastLink = nullptr;
        }
    }
    if (capture != Capture::None) {
        captured += QStringView(html).mid(from);
        finishCapture();
    }

    std::erase_if(contents.folders, [](const Folder &folder) { return folder.rows.empty(); });
    return contents;
}

QString BookmarksHtml::write(const std::vector<Folder> &folders, bool withSecrets)
{
    QString html = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                                  "<TITLE>Bookmarks</TITLE>\n"
                                  "<H1>Bookmarks</H1>\n"
                                  "<DL><p>\n");
    for (const Folder &folder : folders) {
        html += u"    <DT><H3>" % escaped(folder.title) % u"</H3>\n    <DL><p>\n";
        for (const LinkRow &row : folder.rows) {
            if (row[LinkRow::Title].isEmpty())
                continue;
            html += u"        <DT><A HREF=\"" % escaped(row[LinkRow::Address]) % u'"';
            const QDate added = QDate::fromString(row[LinkRow::Date], QStringLiteral("yyyy-MM-dd"));
            if (added.isValid()) {
                // Readers take a date of second 0 or before for none: a day that starts there goes
                // out as its last second.
                const qint64 start = added.startOfDay().toSecsSinceEpoch();
                const qint64 seconds = start > 0 ? start : added.endOfDay().toSecsSinceEpoch();
                html += u" ADD_DATE=\"" % QString::number(seconds) % u'"';
            }
            if (withSecrets && !row[LinkRow::Secret].isEmpty())
                html += u' ' % secretAttribute % u"=\"" % escaped(row[LinkRow::Secret]) % u'"';
            html += u'>' % escaped(row[LinkRow::Title]) % u"</A>\n";
            if (!row[LinkRow::Notes].isEmpty())
                html += u"        <DD>" % escaped(row[LinkRow::Notes]) % u'\n';
        }
        html += QStringLiteral("    </DL><p>\n");
    }
    return html + QStringLiteral("</DL><p>\n");
}
