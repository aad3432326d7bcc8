#include "journeyfiles.h"

#include "core/appfolder.h"

#include <QDir>
#include <QFileInfo>

static const QString prefix = QStringLiteral("Journey ");
static const QString suffix = QStringLiteral(".txt");

QString JourneyFiles::pathFor(const AppFolder &folder, const QDateTime &begun)
{
    const QString name = folderName % u'\\' % prefix % begun.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) % suffix;
    return folder.path(name);
}

QStringList JourneyFiles::kept(const AppFolder &folder)
{
    const QDir journeys(folder.path(folderName));
    QStringList paths;
    // The names sort by the moment the run began.
    for (const QString &name :
         journeys.entryList({prefix % u'*' % suffix}, QDir::Files, QDir::Name | QDir::Reversed | QDir::IgnoreCase))
        paths << journeys.filePath(name);
    return paths;
}

WriteResult JourneyFiles::append(const QString &path, const QString &line)
{
    // A folder that cannot be made leaves the file unopenable, which the append reports.
    QDir().mkpath(QFileInfo(path).path());
    return TextFile::appendLine(path, line);
}

QStringList JourneyFiles::addressesOf(const QStringList &lines)
{
    QStringList addresses;
    for (const QString &line : lines) {
        const qsizetype gap = line.indexOf(u"  ");
        if (gap >= 0 && gap + 2 < line.size())
            addresses << line.mid(gap + 2);
    }
    return addresses;
}
