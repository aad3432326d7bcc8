#pragma once

#include <QStringList>
#include <QTemporaryDir>

// A fresh application folder for one test, removed afterwards.
class TempAppFolder
{
public:
    TempAppFolder();
    ~TempAppFolder();

    QString root() const { return m_dir.path(); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    // Writes lines ended by CR LF, creating folders on the way.
    void write(const QString &relative, const QStringList &lines) const;
    void writeBytes(const QString &relative, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &relative) const;
    // The lines of a file without their CR LF; a missing file gives none.
    QStringList readLines(const QString &relative) const;
    bool exists(const QString &relative) const;

    // Copies the delivered files of install/ into the folder, with the first-run marker.
    void stageDelivered() const;
    // Copies the built executable in, so that this folder is its application folder.
    QString installExecutable() const;

private:
    QTemporaryDir m_dir;
};
