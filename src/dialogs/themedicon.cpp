#include "themedicon.h"

#include <QApplication>

QIcon themedIcon(const char *themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName), QApplication::style()->standardIcon(fallback));
}
