#include "linebreaks.h"

QString withoutLineBreaks(QString text)
{
    text.removeIf([](QChar c) {
        return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
    return text;
}
