#pragma once

#include <QStringView>
#include <optional>
#include <vector>

// The texts and tags of an HTML file in order, read once from its start to its end: every
// character is looked at a fixed number of times whatever the file holds. A tag, a quoted
// attribute value or a comment left open runs to the end of the file. Comments, declarations
// ("<!DOCTYPE ...>") and processing instructions are passed over.
class HtmlScanner
{
public:
    struct Attribute
    {
        QStringView name;
        // As written: entities are not decoded.
        QStringView value;
    };
    struct Token
    {
        enum class Kind { Text, StartTag, EndTag, End };
        Kind kind = Kind::End;
        // A text as written, or a tag's name.
        QStringView text;
        // A start tag's attributes in their order.
        std::vector<Attribute> attributes;

        // Whether the tag has this name, whatever its case.
        bool isTag(QStringView name) const;
        // The value of the first attribute of this name, whatever its case.
        std::optional<QStringView> attribute(QStringView name) const;
    };

    explicit HtmlScanner(QStringView html) : m_html(html) {}

    // The next text or tag into token; false at the end of the file.
    bool next(Token &token);

private:
    // Where markup starts at or after from: a "<" that opens a tag, an end tag, a comment or a
    // declaration; the size of the file when none does.
    qsizetype markupFrom(qsizetype from) const;
    // Just after the first end found at or after from; the size of the file when there is none.
    qsizetype past(QStringView end, qsizetype from) const;
    qsizetype nameEnd(qsizetype from) const;
    void readAttributes(Token &token);

    QStringView m_html;
    qsizetype m_pos = 0;
};
