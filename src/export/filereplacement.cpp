#include "filereplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

FileReplacement::FileReplacement(QString finalPath) : m_final(std::move(finalPath)) {}

FileReplacement::~FileReplacement()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

WriteResult FileReplacement::prepare()
{
    const QFileInfo target(m_final);
    QTemporaryFile reserved(target.absolutePath() + QStringLiteral("/.") + target.completeBaseName()
                            + QStringLiteral(".XXXXXX.") + target.suffix());
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return WriteResult::failure(m_final, reserved.errorString());
    m_temporary = reserved.fileName();
    return WriteResult::success();
}

WriteResult FileReplacement::commit()
{
    const QFileInfo written(m_temporary);
    if (!written.exists() || written.size() == 0)
        return WriteResult::failure(m_final, QObject::tr("nothing was written"));
    // A new document gets the permissions of the one it replaces, or those of a new file.
    const QFileDevice::Permissions permissions =
        QFile::exists(m_final) ? QFile::permissions(m_final)
                               : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                     | QFileDevice::ReadOther;
    QFile::setPermissions(m_temporary, permissions);
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_final).constData()) != 0)
        return WriteResult::failure(m_final, QString::fromLocal8Bit(std::strerror(errno)));
    m_temporary.clear();
    return WriteResult::success();
}
