#pragma once

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QHash>

// Memory of this process and every process below it (the web engine's renderers), from /proc.
namespace ProcessTree {

inline qint64 statusKiB(const QString &pid, const QByteArray &field)
{
    QFile file("/proc/" + pid + "/status");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(QByteArray(field + ':')))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

inline QStringList descendants(const QString &root)
{
    QHash<QString, QString> parentOf;
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        if (pid.toInt() <= 0)
            continue;
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            parentOf.insert(pid, QString::fromLatin1(fields[1]));
    }
    QStringList tree{root};
    for (int i = 0; i < tree.size(); ++i) {
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            if (it.value() == tree[i])
                tree.append(it.key());
        }
    }
    return tree;
}

// The resident memory of the whole tree now, in KiB.
inline qint64 residentKiB()
{
    qint64 total = 0;
    for (const QString &pid : descendants(QString::number(QCoreApplication::applicationPid())))
        total += statusKiB(pid, "VmRSS");
    return total;
}

// The resident memory of this process alone (the browser, without its renderers), in KiB.
inline qint64 ownResidentKiB() { return statusKiB(QString::number(QCoreApplication::applicationPid()), "VmRSS"); }

} // namespace ProcessTree
