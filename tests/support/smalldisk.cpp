#include "smalldisk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

static QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

static QString &namespaceRefusal()
{
    static QString reason = QStringLiteral("the test did not ask for a mount namespace of its own");
    return reason;
}

QString SmallDisk::enterOwnMountNamespace()
{
    if (::unshare(CLONE_NEWNS) != 0)
        namespaceRefusal() = QStringLiteral("no mount namespace of its own (unshare -m): ") + systemReason();
    // Mounts made here stay here, and none from outside arrive.
    else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        namespaceRefusal() = QStringLiteral("the mounts could not be made private: ") + systemReason();
    else
        namespaceRefusal().clear();
    return namespaceRefusal();
}

SmallDisk::SmallDisk(qint64 bytes) : m_reason(namespaceRefusal())
{
    if (!m_reason.isEmpty())
        return;
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", QFile::encodeName(root()).constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0)
        m_reason = QStringLiteral("a tmpfs could not be mounted: ") + systemReason();
}

SmallDisk::~SmallDisk()
{
    if (!isMounted())
        return;
    endKeepingOff();
    ::umount2(QFile::encodeName(root()).constData(), MNT_DETACH);
}

bool SmallDisk::fill()
{
    const int fd = ::open(QFile::encodeName(root() + QStringLiteral("/.filler")).constData(),
                          O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    static const QByteArray block(64 * 1024, 'f');
    // Whole blocks first, then byte by byte for the last one.
    for (qsizetype size = block.size(); size > 0; size = size > 1 ? 1 : 0) {
        while (::write(fd, block.constData(), size) == size) {
        }
    }
    ::close(fd);
    struct statvfs disk;
    return ::statvfs(QFile::encodeName(root()).constData(), &disk) == 0 && disk.f_bavail == 0;
}

void SmallDisk::release() { QFile::remove(root() + QStringLiteral("/.filler")); }

bool SmallDisk::setReadOnly(bool readOnly)
{
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    return ::mount(nullptr, QFile::encodeName(root()).constData(), nullptr, flags, nullptr) == 0;
}

bool SmallDisk::keepOff(const QString &folderOnDisk)
{
    const QString source = m_elsewhere.filePath(QString::number(m_bound.size()));
    if (!QDir().mkpath(source) || !QDir().mkpath(folderOnDisk))
        return false;
    if (::mount(QFile::encodeName(source).constData(), QFile::encodeName(folderOnDisk).constData(), nullptr, MS_BIND,
                nullptr) != 0)
        return false;
    m_bound.append(folderOnDisk);
    return true;
}

void SmallDisk::endKeepingOff()
{
    for (const QString &folder : std::exchange(m_bound, {}))
        ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
}
