#pragma once

#include "core/textfile.h"

#include <QString>

// A file written beside its final name and renamed over it only when complete, so that a
// failed export leaves an earlier file of that name whole.
class FileReplacement
{
public:
    explicit FileReplacement(QString finalPath);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // Reserves the temporary file in the final file's folder; a failure names the final file.
    WriteResult prepare();
    const QString &temporaryPath() const { return m_temporary; }
    const QString &finalPath() const { return m_final; }

    // Puts the written file in place of the final one; an empty or missing file is a failure.
    WriteResult commit();

private:
    QString m_final;
    QString m_temporary;
};
