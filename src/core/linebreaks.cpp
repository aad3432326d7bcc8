#include "linebreaks.h"

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

QString withoutLineBreaks(QString text)
{
    text.removeIf(isLineBreak);
    return text;
}
