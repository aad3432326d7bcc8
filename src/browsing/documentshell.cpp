#include "documentshell.h"

#include "newwindowpolicy.h"

#include <QFileInfo>
#include <QUrl>

bool DocumentShell::open(const QString &target, const QString &verb)
{
    const QFileInfo file(target);
    const QString suffix = file.suffix().toLower();
    if (!file.isAbsolute() || !file.isFile() || (suffix != u"html" && suffix != u"htm" && suffix != u"pdf"))
        return m_desktop.open(target, verb);
    m_tabs.openInNewTab(QUrl::fromLocalFile(file.absoluteFilePath()).toString());
    return true;
}
