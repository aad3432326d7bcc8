#include "localfilerule.h"

#include <QDir>
#include <QFileInfo>

void LocalFileRule::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!info.requestUrl().isLocalFile() || info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return;
    if (!allowed(info.requestUrl(), info.firstPartyUrl()))
        info.block(true);
}

bool LocalFileRule::allowed(const QUrl &file, const QUrl &page)
{
    if (!page.isLocalFile())
        return false;
    const QFileInfo pageFile(page.toLocalFile());
    // Links lead anywhere: the folder and the file are compared where they really are.
    const QString folder = QFileInfo(pageFile.dir().filePath(pageFile.completeBaseName() + u"_files")).canonicalFilePath();
    const QString wanted = QFileInfo(file.toLocalFile()).canonicalFilePath();
    return !folder.isEmpty() && wanted.startsWith(folder + u'/');
}
