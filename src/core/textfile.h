#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The outcome of a write: success, or the file and the system's reason.
class WriteResult
{
public:
    static WriteResult success() { return {}; }
    static WriteResult failure(QString path, QString reason);

    bool ok() const { return m_path.isEmpty(); }
    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }
    QString message() const; // "<path>: <reason>"

private:
    QString m_path;
    QString m_reason;
};

// Plain text files as the program keeps them: lines written with CR LF in UTF-8,
// read with CR LF or LF after an optional UTF-8 byte-order mark; a line that is not valid UTF-8
// is taken as Windows-1252.
class TextFile
{
public:
    // Every line, without its line end and without any line break inside it; nothing when the
    // file cannot be opened.
    static std::optional<QStringList> readLines(const QString &path);

    static QString decodeLine(QByteArrayView bytes);
    // The lines of a file's content, as readLines gives them.
    static QStringList decodeLines(const QByteArray &content);

    // Who may read the file: everyone the system allows, or its owner alone (files holding secrets).
    enum class Access { Shared, OwnerOnly };

    // Rewrites the whole file atomically: afterwards it holds the old content or the new, never half.
    static WriteResult writeLines(const QString &path, const QStringList &lines, Access access = Access::Shared);
    // Rewrites the whole file atomically with the bytes given.
    static WriteResult writeBytes(const QString &path, const QByteArray &bytes, Access access = Access::Shared);

    // Appends one line, creating the file when missing.
    static WriteResult appendLine(const QString &path, const QString &line);
};
