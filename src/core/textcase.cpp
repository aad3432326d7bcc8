#include "textcase.h"

QString properCase(QStringView text)
{
    QString result = text.toString().toLower();
    bool wordStart = true;
    for (QChar &c : result) {
        if (wordStart)
            c = c.toUpper();
        wordStart = c == u' ';
    }
    return result;
}
