#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system of the test's own: a tmpfs in a mount namespace that only this test program
// and the programs it starts can see, which the test fills up or makes read-only while the
// program writes to it. Making the namespace needs root; where the machine refuses it, the disk
// is not mounted and unavailableReason() says why.
class SmallDisk
{
public:
    // Call while the program has one thread, before anything is mounted; the namespace then holds
    // every thread the program starts. Empty when it worked, otherwise the system's reason.
    static QString enterOwnMountNamespace();

    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_reason.isEmpty(); }
    const QString &unavailableReason() const { return m_reason; }
    QString root() const { return m_mountPoint.path(); }

    // Takes every byte left, up to the last one; false when the disk did not report itself full.
    bool fill();
    // Gives the space back.
    void release();
    bool setReadOnly(bool readOnly);

    // Mounts a folder of the ordinary disk over a folder on this one, for data whose writes must
    // neither take nor give back space while the test counts on a full disk.
    bool keepOff(const QString &folderOnDisk);
    // Takes those folders away again, before their place on this disk is removed.
    void endKeepingOff();

private:
    QTemporaryDir m_mountPoint;
    QTemporaryDir m_elsewhere;
    QStringList m_bound;
    QString m_reason;
};
