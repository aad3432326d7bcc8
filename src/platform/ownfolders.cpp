#include "ownfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ownFolder(const struct stat &status)
{
    return S_ISDIR(status.st_mode) && status.st_uid == ::getuid();
}

bool removeAt(int parent, const char *name);

// Empties an open folder; takes the descriptor over.
bool removeEntries(int folder)
{
    DIR *listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return false;
    }
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    bool all = true;
    for (const QByteArray &name : std::as_const(names))
        all = removeAt(::dirfd(listing), name.constData()) && all;
    ::closedir(listing);
    return all;
}

// One entry of a folder opened by descriptor: what is not a folder goes as it is (a link as a
// link); a folder of the user's is opened without following a link, checked to be the one looked
// at, emptied and removed.
bool removeAt(int parent, const char *name)
{
    struct stat status;
    if (::fstatat(parent, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(status.st_mode))
        return ::unlinkat(parent, name, 0) == 0 || errno == ENOENT;
    if (status.st_uid != ::getuid())
        return false;
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return false;
    struct stat opened;
    if (::fstat(folder, &opened) != 0 || opened.st_dev != status.st_dev || opened.st_ino != status.st_ino
        || !ownFolder(opened)) {
        ::close(folder);
        return false;
    }
    return removeEntries(folder) && ::unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

} // namespace

bool OwnFolders::isPrivate(const QString &path)
{
    struct stat status;
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0 && ownFolder(status)
           && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool OwnFolders::makePrivate(const QString &path)
{
    ::mkdir(QFile::encodeName(path).constData(), S_IRWXU);
    return isPrivate(path);
}

QString OwnFolders::runtimeFolder()
{
    const QString folder = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    return QDir::isAbsolutePath(folder) && isPrivate(folder) ? folder : QString();
}

bool OwnFolders::removeTree(const QString &path)
{
    const QFileInfo target(path);
    const int parent = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return false;
    const QByteArray name = QFile::encodeName(target.fileName());
    struct stat status;
    const bool removed = ::fstatat(parent, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && ownFolder(status)
                         && removeAt(parent, name.constData());
    ::close(parent);
    return removed;
}
