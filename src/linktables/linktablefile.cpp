#include "linktablefile.h"

#include "core/linebreaks.h"

#include <algorithm>

namespace {

// Line breaks become blanks; when the text would still not read back, every occurrence of the
// given characters is replaced.
QString storableFromPage(QString text, const QString &from, const QString &to)
{
    for (QChar &c : text) {
        if (isLineBreak(c))
            c = u' ';
    }
    if (!LinkTableFile::storable(text))
        text.replace(from, to);
    return text;
}

} // namespace

std::optional<LinkRow> LinkTableFile::parseLine(const QString &line)
{
    const QStringList pieces = line.split(separator);
    if (pieces.size() < LinkRow::fieldCount)
        return std::nullopt;
    LinkRow row;
    for (int i = 0; i < LinkRow::fieldCount; ++i)
        row.fields[i] = pieces[i];
    return row;
}

QString LinkTableFile::formatLine(const LinkRow &row)
{
    QString line = row.fields[0];
    for (int i = 1; i < LinkRow::fieldCount; ++i)
        line += separator % row.fields[i];
    return line;
}

LinkTableFile::Contents LinkTableFile::read(const QString &path, int count)
{
    const QStringList lines = TextFile::readLines(path).value_or(QStringList());
    Contents contents;
    contents.rows.reserve(std::max<qsizetype>(count, lines.size()));
    for (int r = 0; r < count; ++r)
        contents.rows.push_back(r < lines.size() ? parseLine(lines[r]).value_or(LinkRow()) : LinkRow());
    for (qsizetype r = count; r < lines.size(); ++r) {
        if (const auto row = parseLine(lines[r])) {
            contents.rows.push_back(*row);
            ++contents.recovered;
        }
    }
    return contents;
}

WriteResult LinkTableFile::write(const QString &path, const std::vector<LinkRow> &rows)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows.size()));
    for (const LinkRow &row : rows) {
        if (!row[LinkRow::Title].isEmpty())
            lines.append(formatLine(row));
    }
    return TextFile::writeLines(path, lines, TextFile::Access::OwnerOnly);
}

bool LinkTableFile::storable(QStringView text)
{
    // A field ending in ";-" would join the separator after it into a separator of its own.
    return !text.contains(separator) && !text.endsWith(u";-") && std::none_of(text.begin(), text.end(), isLineBreak);
}

QString LinkTableFile::textFromPage(const QString &text) { return storableFromPage(text, QStringLiteral(";-"), QStringLiteral("; -")); }

QString LinkTableFile::addressFromPage(const QString &address) { return storableFromPage(address, QStringLiteral(";"), QStringLiteral("%3B")); }
