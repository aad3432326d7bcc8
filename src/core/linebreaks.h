#pragma once

#include <QString>

// The text with every line break removed (CR, LF and the Unicode line and paragraph separators),
// as any text must be before it becomes an address or one line of a line-based file.
QString withoutLineBreaks(QString text);

bool isLineBreak(QChar c);
