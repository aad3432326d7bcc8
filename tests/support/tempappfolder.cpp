#include "tempappfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

TempAppFolder::TempAppFolder()
{
    if (!m_dir.isValid())
        qFatal("No temporary folder");
}

// The web engine's own processes may still write their data for a moment after its profile has
// gone, even into a folder already removed; the folder is removed once, and what an engine process
// writes after that is not this test's failure.
TempAppFolder::~TempAppFolder()
{
    m_dir.setAutoRemove(false);
    if (!QTest::qWaitFor([this] { return QDir(m_dir.path()).removeRecursively(); }, 5000))
        qWarning("%s could not be removed", qPrintable(m_dir.path()));
}

void TempAppFolder::writeBytes(const QString &relative, const QByteArray &bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("Could not write %s", qPrintable(full));
}

void TempAppFolder::write(const QString &relative, const QStringList &lines) const
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    writeBytes(relative, bytes);
}

QByteArray TempAppFolder::readBytes(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TempAppFolder::readLines(const QString &relative) const
{
    QString text = QString::fromUtf8(readBytes(relative));
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
}

bool TempAppFolder::exists(const QString &relative) const { return QFileInfo::exists(path(relative)); }

void TempAppFolder::stageDelivered() const
{
    const QDir source(QStringLiteral(TAMZO_INSTALL_DIR));
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), path(name));
    writeBytes(QStringLiteral("TamzoFirst.txt"), QByteArray());
}

QString TempAppFolder::installExecutable() const
{
    const QString target = path(QStringLiteral("tamzotravel"));
    QFile::copy(QStringLiteral(TAMZO_EXECUTABLE), target);
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return target;
}
