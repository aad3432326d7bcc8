#include "htmlscanner.h"

namespace {

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The blanks of HTML markup.
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

} // namespace

bool HtmlScanner::Token::isTag(QStringView name) const
{
    return kind != Kind::Text && text.compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<QStringView> HtmlScanner::Token::attribute(QStringView name) const
{
    for (const Attribute &attribute : attributes) {
        if (attribute.name.compare(name, Qt::CaseInsensitive) == 0)
            return attribute.value;
    }
    return std::nullopt;
}

qsizetype HtmlScanner::markupFrom(qsizetype from) const
{
    const qsizetype size = m_html.size();
    for (qsizetype at = m_html.indexOf(u'<', from); at >= 0 && at + 1 < size; at = m_html.indexOf(u'<', at + 1)) {
        const QChar c = m_html[at + 1];
        if (isAsciiLetter(c) || c == u'/' || c == u'!' || c == u'?')
            return at;
    }
    return size;
}

qsizetype HtmlScanner::past(QStringView end, qsizetype from) const
{
    const qsizetype at = m_html.indexOf(end, std::min(from, m_html.size()));
    return at < 0 ? m_html.size() : at + end.size();
}

qsizetype HtmlScanner::nameEnd(qsizetype from) const
{
    qsizetype at = from;
    while (at < m_html.size() && !isBlank(m_html[at]) && m_html[at] != u'/' && m_html[at] != u'>')
        ++at;
    return at;
}

void HtmlScanner::readAttributes(Token &token)
{
    const qsizetype size = m_html.size();
    const auto skipBlanks = [&] {
        while (m_pos < size && isBlank(m_html[m_pos]))
            ++m_pos;
    };
    while (true) {
        while (m_pos < size && (isBlank(m_html[m_pos]) || m_html[m_pos] == u'/'))
            ++m_pos;
        if (m_pos >= size)
            return;
        if (m_html[m_pos] == u'>') {
            ++m_pos;
            return;
        }
        // A name is at least one character, an "=" at its start included.
        const qsizetype nameStart = m_pos++;
        while (m_pos < size && !isBlank(m_html[m_pos]) && m_html[m_pos] != u'/' && m_html[m_pos] != u'>' &&
               m_html[m_pos] != u'=')
            ++m_pos;
        Attribute attribute{m_html.sliced(nameStart, m_pos - nameStart), {}};
        skipBlanks();
        if (m_pos < size && m_html[m_pos] == u'=') {
            ++m_pos;
            skipBlanks();
            if (m_pos < size && (m_html[m_pos] == u'"' || m_html[m_pos] == u'\'')) {
                const QChar quote = m_html[m_pos++];
                const qsizetype close = m_html.indexOf(quote, m_pos);
                const qsizetype valueEnd = close < 0 ? size : close;
                attribute.value = m_html.sliced(m_pos, valueEnd - m_pos);
                m_pos = close < 0 ? size : close + 1;
            } else {
                const qsizetype valueStart = m_pos;
                while (m_pos < size && !isBlank(m_html[m_pos]) && m_html[m_pos] != u'>')
                    ++m_pos;
                attribute.value = m_html.sliced(valueStart, m_pos - valueStart);
            }
        }
        token.attributes.push_back(attribute);
    }
}

bool HtmlScanner::next(Token &token)
{
    token.attributes.clear();
    token.text = {};
    while (m_pos < m_html.size()) {
        const qsizetype markup = markupFrom(m_pos);
        if (markup > m_pos) {
            token.kind = Token::Kind::Text;
            token.text = m_html.sliced(m_pos, markup - m_pos);
            m_pos = markup;
            return true;
        }
        const QChar first = m_html[m_pos + 1];
        if (first == u'!' || first == u'?') {
            const bool comment = m_html.sliced(m_pos).startsWith(u"<!--");
            // "<!-->" and "<!--->" are whole comments too.
            m_pos = comment ? past(u"-->", m_pos + 2) : past(u">", m_pos + 2);
            continue;
        }
        if (first == u'/') {
            const qsizetype nameStart = m_pos + 2;
            if (nameStart >= m_html.size() || !isAsciiLetter(m_html[nameStart])) {
                m_pos = past(u">", nameStart);
                continue;
            }
            const qsizetype end = nameEnd(nameStart);
            token.kind = Token::Kind::EndTag;
            token.text = m_html.sliced(nameStart, end - nameStart);
            m_pos = past(u">", end);
            return true;
        }
        const qsizetype end = nameEnd(m_pos + 1);
        token.kind = Token::Kind::StartTag;
        token.text = m_html.sliced(m_pos + 1, end - m_pos - 1);
        m_pos = end;
        readAttributes(token);
        return true;
    }
    token.kind = Token::Kind::End;
    return false;
}
