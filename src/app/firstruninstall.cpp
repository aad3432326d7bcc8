#include "firstruninstall.h"

#include "core/appfolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString missing(const AppFolder &folder, const QString &item)
{
    return u"No " % folder.root() % u'/' % item % u" file found!";
}

QString failed(const QString &what, const QString &path, const QString &reason)
{
    return u"Could not " % what % u' ' % path % u": " % reason;
}

// Copies source over target atomically: the target keeps its old content if anything fails.
QString copyReplacing(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("read"), source, in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return failed(QStringLiteral("write"), target, out.errorString());
    const QByteArray bytes = in.readAll();
    if (out.write(bytes) != bytes.size() || !out.commit())
        return failed(QStringLiteral("write"), target, out.errorString());
    return QString();
}

QString remove(const QString &path)
{
    QFile file(path);
    return file.remove() ? QString() : failed(QStringLiteral("delete"), path, file.errorString());
}

// Moves every delivered file matching the pattern into the sub-folder.
QString moveGroup(const AppFolder &folder, const QStringList &files, const QString &subFolder,
                  bool keepExisting)
{
    for (const QString &name : files) {
        const QString source = folder.root() % u'/' % name;
        const QString target = folder.path(QString(subFolder % u'\\' % name));
        if (!(keepExisting && QFile::exists(target))) {
            if (QString error = copyReplacing(source, target); !error.isEmpty())
                return error;
        }
        if (QString error = remove(source); !error.isEmpty())
            return error;
    }
    return QString();
}

QStringList delivered(const AppFolder &folder, const QString &pattern)
{
    // Name filters match without regard to case.
    return QDir(folder.root()).entryList({pattern}, QDir::Files, QDir::Name);
}

} // namespace

bool FirstRunInstall::pending(const AppFolder &folder)
{
    return QFile::exists(folder.path(markerName));
}

QString FirstRunInstall::Move_Data(const AppFolder &folder)
{
    QDir root(folder.root());
    for (const char *sub : {"Links", "Data", "Languages", "Images"})
        root.mkdir(QString::fromLatin1(sub));

    const QStringList links = delivered(folder, QStringLiteral("links.*"));
    if (links.isEmpty())
        return missing(folder, QStringLiteral("links.*"));
    // An existing link table is never overwritten.
    if (QString error = moveGroup(folder, links, QStringLiteral("\\Links"), true); !error.isEmpty())
        return error;

    const QStringList languages = delivered(folder, QStringLiteral("Lang_*.txt"));
    if (languages.isEmpty())
        return missing(folder, QStringLiteral("Lang_English.txt"));
    if (QString error = moveGroup(folder, languages, QStringLiteral("\\Languages"), false); !error.isEmpty())
        return error;

    const struct
    {
        const char *delivered;
        const char *installed;
    } templates[] = {{"template.doc", "\\Data\\Template.doc"}, {"templateh.doc", "\\Data\\TemplateH.doc"}};
    for (const auto &doc : templates) {
        const QString name = QString::fromLatin1(doc.delivered);
        const QString source = folder.path(QString(u'\\' % name));
        if (!QFile::exists(source))
            return missing(folder, name);
        if (QString error = copyReplacing(source, folder.path(QString::fromLatin1(doc.installed)));
            !error.isEmpty())
            return error;
        if (QString error = remove(source); !error.isEmpty())
            return error;
    }
    // The manual and the help documents are replaced by every installation, as the languages are.
    const QStringList documents = delivered(folder, QStringLiteral("*.pdf")) + delivered(folder, QStringLiteral("*.html"));
    if (QString error = moveGroup(folder, documents, QStringLiteral("\\Data"), false); !error.isEmpty())
        return error;
    return remove(folder.path(markerName));
}
