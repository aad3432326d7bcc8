#pragma once

#include "core/textfile.h"
#include "linkrow.h"

#include <vector>

// A table file "\Links\Links.NNN": one link a line, its six fields joined by ";-;", nothing
// escaped. The index says how many rows belong to the table.
class LinkTableFile
{
public:
    static inline const QString separator = QStringLiteral(";-;");

    // A line of at least six fields; nothing for a shorter one.
    static std::optional<LinkRow> parseLine(const QString &line);
    static QString formatLine(const LinkRow &row);

    struct Contents
    {
        std::vector<LinkRow> rows;
        // Well-formed lines found after the counted ones and kept as rows of their own.
        int recovered = 0;
    };
    // The first count lines become rows 1..count (blank where a line is missing or short). The
    // well-formed lines below them are rows too: a count lost with the index never loses links.
    static Contents read(const QString &path, int count);

    // Rewrites the file with every row that has a title, readable by the owner only.
    static WriteResult write(const QString &path, const std::vector<LinkRow> &rows);

    // Whether a field reads back as written: no separator, no ";-" at its end, no line break.
    static bool storable(QStringView text);
    // Text taken from a page made storable: line breaks become blanks, separators are broken up
    // by a blank after their ";".
    static QString textFromPage(const QString &text);
    // The same for an address, whose ";" are escaped when it holds a separator.
    static QString addressFromPage(const QString &address);
};
