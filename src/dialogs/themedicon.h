#pragma once

#include <QIcon>
#include <QStyle>

// A picture of a secondary window's own image list: the desktop's icon theme where it has the
// icon, otherwise the style's standard picture for the same purpose.
QIcon themedIcon(const char *themeName, QStyle::StandardPixmap fallback);
