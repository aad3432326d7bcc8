#pragma once

#include <QString>
#include <optional>

// The fields of a link row as a bookmarks file writes them, and back: texts with their entities
// and the file's own line breaks and indentation, addresses, and dates as seconds since 1970.
class BookmarkFields
{
public:
    // The date of a row: "2024-02-29", or "2024-02-29 14:05:09" when the time of day is known.
    static inline const QString dateFormat = QStringLiteral("yyyy-MM-dd");
    static inline const QString dateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

    // Entities decoded (named ones of at most 32 letters, numeric ones of a character that is
    // not a surrogate or 0); an entity not known stays as written.
    static QString decodeEntities(QStringView text);
    // The text of a title, a folder's name, a description: a run of blanks holding a line break,
    // a tab or another blank than the space is the file's layout, one space, or nothing at either
    // end; then entities are decoded, and the text is made storable in a table file.
    static QString text(QStringView html);
    // A text as a bookmarks file holds it: markup characters, and every blank but a space inside
    // the text, written as references, so that reading gives the text back.
    static QString escaped(const QString &text);
    // A web address (http or https) as a table keeps it, with tabs and line breaks removed as
    // browsers remove them from an address; nothing for any other address.
    static std::optional<QString> webAddress(QStringView html);

    // The date of a row added at that moment, in local time; the time of day is left out at
    // midnight. A value that is no time from 1970 to 9999 gives today. Milliseconds and
    // microseconds, which some programs write, are taken as such.
    static QString dateFromSeconds(QStringView seconds, const QString &today);
    // The moment of a row's date, local midnight for a date alone; nothing for another text.
    static std::optional<qint64> secondsFromDate(const QString &date);
};
