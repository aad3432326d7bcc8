#pragma once

#include <QString>

// A tooltip that shows the text as it is: the desktop takes a tooltip that looks like markup for
// markup (with pictures and links), so a page's address or title that does gets escaped.
QString plainToolTip(const QString &text);
