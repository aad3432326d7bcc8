#include "firstruninstall.h"

#include "core/appfolder.h"
#include "core/textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString missing(const QString &source, const QString &item)
{
    return u"No " % source % u'/' % item % u" file found!";
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
    if (out.write(bytes) != bytes.size() || !out.flush() || !out.commit())
        return failed(QStringLiteral("write"), target, out.errorString());
    return QString();
}

QString remove(const QString &path)
{
    QFile file(path);
    return file.remove() ? QString() : failed(QStringLiteral("delete"), path, file.errorString());
}

// Puts one delivered file in its place below the application folder. Files delivered beside the
// executable are moved; installed ones are only copied.
QString installFile(const AppFolder &folder, const QString &name, const QString &target, bool keepExisting)
{
    const QString source = folder.deliveredFolder() % u'/' % name;
    if (!(keepExisting && QFile::exists(target))) {
        if (QString error = copyReplacing(source, target); !error.isEmpty())
            return error;
    }
    return folder.installed() ? QString() : remove(source);
}

QString installGroup(const AppFolder &folder, const QStringList &files, const QString &subFolder,
                     bool keepExisting)
{
    for (const QString &name : files) {
        const QString target = folder.path(QString(subFolder % u'\\' % name));
        if (QString error = installFile(folder, name, target, keepExisting); !error.isEmpty())
            return error;
    }
    return QString();
}

QStringList delivered(const AppFolder &folder, const QString &pattern)
{
    // Name filters match without regard to case.
    return QDir(folder.deliveredFolder()).entryList({pattern}, QDir::Files, QDir::Name);
}

// The last step: the marker goes, or the installed program's stamp is written.
QString finish(const AppFolder &folder, const QString &stamp)
{
    if (!folder.installed())
        return remove(folder.path(FirstRunInstall::markerName));
    const WriteResult written = TextFile::writeLines(folder.path(FirstRunInstall::stampName), {stamp});
    return written.ok() ? QString() : failed(QStringLiteral("write"), written.path(), written.reason());
}

} // namespace

QString FirstRunInstall::deliveredStamp(const QString &deliveredFolder)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QDir source(deliveredFolder);
    for (const QString &name : source.entryList(QDir::Files, QDir::Name)) {
        hash.addData(name.toUtf8());
        QFile file(source.filePath(name));
        // An unreadable file stamps differently from any content, so the installation runs and says why.
        if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
            hash.addData(QByteArrayView("\0unreadable", 11));
        hash.addData(QByteArrayView("\0", 1));
    }
    return QString::fromLatin1(hash.result().toHex());
}

bool FirstRunInstall::pending(const AppFolder &folder)
{
    if (!folder.installed())
        return QFile::exists(folder.path(markerName));
    const auto stamp = TextFile::readLines(folder.path(stampName));
    return !stamp || stamp->value(0) != deliveredStamp(folder.deliveredFolder());
}

QString FirstRunInstall::Move_Data(const AppFolder &folder)
{
    const QString stamp = folder.installed() ? deliveredStamp(folder.deliveredFolder()) : QString();
    // An installed program's per-user folder does not exist before the user's first start.
    QDir().mkpath(folder.root());
    QDir root(folder.root());
    for (const char *sub : {"Links", "Data", "Languages", "Images"})
        root.mkdir(QString::fromLatin1(sub));

    const QString &source = folder.deliveredFolder();
    const QStringList links = delivered(folder, QStringLiteral("links.*"));
    if (links.isEmpty())
        return missing(source, QStringLiteral("links.*"));
    // An existing link table is never overwritten.
    if (QString error = installGroup(folder, links, QStringLiteral("\\Links"), true); !error.isEmpty())
        return error;

    const QStringList languages = delivered(folder, QStringLiteral("Lang_*.txt"));
    if (languages.isEmpty())
        return missing(source, QStringLiteral("Lang_English.txt"));
    if (QString error = installGroup(folder, languages, QStringLiteral("\\Languages"), false); !error.isEmpty())
        return error;

    const struct
    {
        const char *delivered;
        const char *installed;
    } templates[] = {{"template.doc", "\\Data\\Template.doc"}, {"templateh.doc", "\\Data\\TemplateH.doc"}};
    for (const auto &doc : templates) {
        const QStringList found = delivered(folder, QString::fromLatin1(doc.delivered));
        if (found.isEmpty())
            return missing(source, QString::fromLatin1(doc.delivered));
        const QString target = folder.path(QString::fromLatin1(doc.installed));
        if (QString error = installFile(folder, found.first(), target, false); !error.isEmpty())
            return error;
    }
    // The manual and the help documents are replaced by every installation, as the languages are.
    const QStringList documents = delivered(folder, QStringLiteral("*.pdf")) + delivered(folder, QStringLiteral("*.html"));
    if (QString error = installGroup(folder, documents, QStringLiteral("\\Data"), false); !error.isEmpty())
        return error;
    return finish(folder, stamp);
}
