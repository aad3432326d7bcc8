#include "textfile.h"

#include "linebreaks.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

WriteResult WriteResult::failure(QString path, QString reason)
{
    WriteResult result;
    result.m_path = std::move(path);
    result.m_reason = reason.isEmpty() ? QStringLiteral("unknown error") : std::move(reason);
    return result;
}

QString WriteResult::message() const { return m_path % u": " % m_reason; }

// The characters Windows-1252 puts at 0x80..0x9F; the other bytes are Latin-1.
static constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString TextFile::decodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(value >= 0x80 && value < 0xA0 ? QChar(kWindows1252High[value - 0x80]) : QChar(value));
    }
    return text;
}

std::optional<QStringList> TextFile::readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeLines(file.readAll());
}

QStringList TextFile::decodeLines(const QByteArray &content)
{
    QStringList lines;
    // A UTF-8 byte-order mark, as some editors write, is no part of the first line.
    qsizetype start = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0)
            end = content.size();
        qsizetype stop = end;
        if (stop > start && content[stop - 1] == '\r')
            --stop;
        // A line holds no line break, as every line written holds none: a stray CR or a Unicode
        // line separator that another program left inside a line is dropped. So are byte-order
        // marks, which editors leave at the start of lines and which the decoder would drop there
        // but keep elsewhere: a value read is the one the program writes back and reads again.
        QString line = withoutLineBreaks(decodeLine(QByteArrayView(content).sliced(start, stop - start)));
        lines.append(line.remove(QChar::ByteOrderMark));
        start = next;
    }
    return lines;
}

static QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

WriteResult TextFile::writeLines(const QString &path, const QStringList &lines, Access access)
{
    return writeBytes(path, encodeLines(lines), access);
}

WriteResult TextFile::writeBytes(const QString &path, const QByteArray &bytes, Access access)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteResult::failure(path, file.errorString());
    // Set on the new content before it replaces the old, so it is never readable by others.
    if (access == Access::OwnerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return WriteResult::failure(path, file.errorString());
    // The flush comes first: commit() renames the new file over the old one even when flushing
    // its last bytes failed (a full disk), which would leave a short file in place of a whole one.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return WriteResult::failure(path, file.errorString());
    return WriteResult::success();
}

WriteResult TextFile::appendLine(const QString &path, const QString &line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return WriteResult::failure(path, file.errorString());
    const qint64 before = file.size();
    const QByteArray bytes = encodeLines({line});
    if (file.write(bytes) == bytes.size())
        return WriteResult::success();
    const WriteResult failure = WriteResult::failure(path, file.errorString());
    // The part of the line that went in before the disk filled up is taken out again, so that the
    // file ends with a whole line and the next one starts a line of its own.
    file.resize(before);
    return failure;
}
