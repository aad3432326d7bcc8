#include "qtdesktopshell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void QtDesktopShell::open(const QString &target, const QString &)
{
    const QUrl url = QFileInfo(target).isAbsolute() ? QUrl::fromLocalFile(target)
                                                     : QUrl::fromUserInput(target);
    QDesktopServices::openUrl(url);
}
