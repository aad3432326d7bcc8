#include "bookmarkshtml.h"

#include "bookmarkfields.h"
#include "htmlscanner.h"
#include "linktable.h"

#include <algorithm>

namespace {

constexpr QStringView secretAttribute = u"TAMZO_SECRET";
constexpr QStringView typedAttribute = u"TAMZO_TYPED";

using Token = HtmlScanner::Token;

bool isOneOf(const Token &tag, std::initializer_list<QStringView> names)
{
    return std::any_of(names.begin(), names.end(), [&tag](QStringView name) { return tag.isTag(name); });
}

// A folder's name as a part of a table's title: no comma, which parts title and count in the
// index, and no blank at its end, which the index drops.
QString folderName(QStringView html)
{
    QString name = BookmarkFields::text(html);
    name.replace(u',', u';');
    while (!name.isEmpty() && name.back().isSpace())
        name.chop(1);
    return name;
}


// A title at most as long as titles are, with no blank at its end.
QString cut(QString title)
{
    title.truncate(BookmarksHtml::maxTitleLength);
    while (!title.isEmpty() && title.back().isSpace())
        title.chop(1);
    return title;
}

// The title of a folder inside another: the outer one's title, the separator, its own name.
QString nestedTitle(const QString &outer, const QString &name)
{
    return cut(outer % BookmarksHtml::pathSeparator % name.left(BookmarksHtml::maxTitleLength));
}

// The file is tag soup: a heading <H3> names the folder whose <DL> follows it, each <A> is a link
// of the innermost open folder, and a <DD> after a link describes it. An element left open ends
// where the next one of the list begins.
class Reader
{
public:
    explicit Reader(const QString &today) : m_today(today) { m_contents.folders.push_back({}); }

    BookmarksHtml::Contents read(QStringView html)
    {
        HtmlScanner scanner(html);
        Token token;
        while (scanner.next(token)) {
            if (token.kind == Token::Kind::Text) {
                if (m_capture != Capture::None)
                    m_captured += token.text;
            } else if (!endsCapture(token)) {
                continue;
            } else if (token.kind == Token::Kind::StartTag) {
                startTag(token);
            } else if (token.isTag(u"DL") && m_open.size() > 1) {
                m_open.pop_back();
            }
        }
        finishCapture();
        std::erase_if(m_contents.folders, [](const BookmarksHtml::Folder &folder) { return folder.rows.empty(); });
        return std::move(m_contents);
    }

private:
    enum class Capture { None, FolderName, LinkTitle, Description };

    // Ends the text being read when the tag ends it; false for markup inside it, which is dropped.
    bool endsCapture(const Token &tag)
    {
        const bool start = tag.kind == Token::Kind::StartTag;
        bool ends = true;
        switch (m_capture) {
        case Capture::None:
            return true;
        case Capture::FolderName:
            ends = start ? isOneOf(tag, {u"A", u"DT", u"DD", u"DL", u"H3", u"HR"}) : isOneOf(tag, {u"H3", u"DL"});
            break;
        case Capture::LinkTitle:
            ends = start ? isOneOf(tag, {u"A", u"DT", u"DD", u"DL", u"H3", u"HR"}) : isOneOf(tag, {u"A", u"DL", u"DT"});
            break;
        case Capture::Description:
            ends = isOneOf(tag, {u"A", u"DT", u"DD", u"DL", u"H3", u"HR"});
            break;
        }
        if (ends)
            finishCapture();
        return ends;
    }

    void startTag(const Token &tag)
    {
        if (tag.isTag(u"H3")) {
            m_capture = Capture::FolderName;
            m_lastLink.reset();
        } else if (tag.isTag(u"A")) {
            m_capture = Capture::LinkTitle;
            m_address = tag.attribute(u"HREF").value_or(QStringView());
            m_added = tag.attribute(u"ADD_DATE").value_or(QStringView());
            m_secret = tag.attribute(secretAttribute).value_or(QStringView());
            m_typed = tag.attribute(typedAttribute);
        } else if (tag.isTag(u"DD")) {
            m_capture = Capture::Description;
        } else if (tag.isTag(u"DL")) {
            openList();
        }
    }

    void openList()
    {
        if (m_pendingFolder) {
            const size_t outer = m_open.back();
            // The links outside every folder have no title to go before a folder's name.
            const QString title =
                outer == 0 ? cut(*m_pendingFolder) : nestedTitle(m_contents.folders[outer].title, *m_pendingFolder);
            m_contents.folders.push_back({title, {}});
            m_open.push_back(m_contents.folders.size() - 1);
        } else {
            // A list without a heading (the file's own top list) belongs to the folder around it.
            m_open.push_back(m_open.back());
        }
        m_pendingFolder.reset();
        m_lastLink.reset();
    }

    void finishCapture()
    {
        switch (m_capture) {
        case Capture::FolderName:
            m_pendingFolder = folderName(m_captured);
            break;
        case Capture::LinkTitle:
            addLink();
            break;
        case Capture::Description:
            if (m_lastLink)
                m_contents.folders[m_lastLink->first].rows[m_lastLink->second][LinkRow::Notes] =
                    BookmarkFields::text(m_captured);
            m_lastLink.reset();
            break;
        case Capture::None:
            break;
        }
        m_capture = Capture::None;
        m_captured.clear();
    }

    void addLink()
    {
        m_lastLink.reset();
        const std::optional<QString> address = BookmarkFields::webAddress(m_address);
        if (!address) {
            ++m_contents.skipped;
            return;
        }
        LinkRow row;
        row[LinkRow::Address] = *address;
        row[LinkRow::Title] = BookmarkFields::text(m_captured);
        if (row[LinkRow::Title].isEmpty())
            row[LinkRow::Title] = *address;
        row[LinkRow::Secret] = BookmarkFields::text(m_secret);
        row[LinkRow::Typed] = LinkTable::typedText(m_typed ? BookmarkFields::text(*m_typed) : *address);
        row[LinkRow::Date] = BookmarkFields::dateFromSeconds(m_added, m_today);
        const size_t folder = m_open.back();
        std::vector<LinkRow> &rows = m_contents.folders[folder].rows;
        rows.push_back(std::move(row));
        m_lastLink = std::pair(folder, rows.size() - 1);
    }

    const QString m_today;
    BookmarksHtml::Contents m_contents;
    // The folders open, innermost last, by their place in the contents.
    std::vector<size_t> m_open{0};
    std::optional<QString> m_pendingFolder;
    Capture m_capture = Capture::None;
    QString m_captured;
    // The link being read, as its tag gives it.
    QStringView m_address, m_added, m_secret;
    std::optional<QStringView> m_typed;
    // The link a description would describe: its folder and row.
    std::optional<std::pair<size_t, size_t>> m_lastLink;
};

QString attribute(QStringView name, const QString &value)
{
    return u' ' % name.toString() % u"=\"" % BookmarkFields::escaped(value) % u'"';
}

QString linkLines(const LinkRow &row, const QString &indent, bool withSecrets)
{
    QString line = indent % u"<DT><A HREF=\"" % BookmarkFields::escaped(row[LinkRow::Address]) % u'"';
    if (const std::optional<qint64> added = BookmarkFields::secondsFromDate(row[LinkRow::Date]); added && *added > 0)
        line += u" ADD_DATE=\"" % QString::number(*added) % u'"';
    if (withSecrets && !row[LinkRow::Secret].isEmpty())
        line += attribute(secretAttribute, row[LinkRow::Secret]);
    if (row[LinkRow::Typed] != LinkTable::typedText(row[LinkRow::Address]))
        line += attribute(typedAttribute, row[LinkRow::Typed]);
    line += u'>' % BookmarkFields::escaped(row[LinkRow::Title]) % u"</A>\n";
    if (!row[LinkRow::Notes].isEmpty())
        line += indent % u"<DD>" % BookmarkFields::escaped(row[LinkRow::Notes]) % u'\n';
    return line;
}

} // namespace

BookmarksHtml::Contents BookmarksHtml::read(const QString &html, const QString &today)
{
    return Reader(today).read(html);
}

QString BookmarksHtml::write(const std::vector<Folder> &folders, bool withSecrets)
{
    QString html = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                                  "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                                  "<TITLE>Bookmarks</TITLE>\n"
                                  "<H1>Bookmarks</H1>\n"
                                  "<DL><p>\n");
    // The names of the folders open, outermost first.
    QStringList open;
    const auto indent = [&open] { return QString((open.size() + 1) * 4, u' '); };
    for (const Folder &folder : folders) {
        const QStringList names = folder.title.split(pathSeparator);
        // A table goes into the folders around it that are open already; its own folder is new,
        // so that its links come after those of the tables before it.
        qsizetype shared = 0;
        while (shared < open.size() && shared < names.size() - 1 && open[shared] == names[shared])
            ++shared;
        while (open.size() > shared) {
            open.removeLast();
            html += indent() % u"</DL><p>\n";
        }
        for (qsizetype n = shared; n < names.size(); ++n) {
            html += indent() % u"<DT><H3>" % BookmarkFields::escaped(names[n]) % u"</H3>\n" % indent() % u"<DL><p>\n";
            open.append(names[n]);
        }
        for (const LinkRow &row : folder.rows) {
            if (!row[LinkRow::Title].isEmpty())
                html += linkLines(row, indent(), withSecrets);
        }
    }
    while (!open.isEmpty()) {
        open.removeLast();
        html += indent() % u"</DL><p>\n";
    }
    return html + QStringLiteral("</DL><p>\n");
}
