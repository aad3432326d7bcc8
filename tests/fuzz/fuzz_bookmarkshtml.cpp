// Another browser's bookmarks file, read as the import reads it: every link has a title and an
// address, every field reads back from a table file as it went in, every folder name makes a
// table title; what the export writes of the tables reads back to the same tables and rows; and
// reading takes no more than linear time in the file's size.
#include "core/textfile.h"
#include "fuzzinput.h"
#include "linktables/bookmarkshtml.h"
#include "linktables/linktablefile.h"

namespace {

const QString today = QStringLiteral("2026-12-08");

BookmarksHtml::Contents readFile(QByteArrayView bytes) { return BookmarksHtml::read(TextFile::decodeLine(bytes), today); }

bool sameTables(const std::vector<BookmarksHtml::Folder> &a, const std::vector<BookmarksHtml::Folder> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.title == y.title && std::equal(x.rows.begin(), x.rows.end(), y.rows.begin(), y.rows.end(),
                                                [](const LinkRow &r, const LinkRow &s) { return r.fields == s.fields; });
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const BookmarksHtml::Contents read = readFile(bytes);
    FUZZ_CHECK(read.skipped >= 0);
    for (const BookmarksHtml::Folder &folder : read.folders) {
        FUZZ_CHECK(!folder.rows.empty());
        FUZZ_CHECK(FuzzInput::isOneLine(folder.title) && !folder.title.contains(u','));
        for (const LinkRow &row : folder.rows) {
            FUZZ_CHECK(!row[LinkRow::Title].isEmpty() && !row[LinkRow::Address].isEmpty());
            for (const QString &field : row.fields)
                FUZZ_CHECK(FuzzInput::isOneLine(field) && LinkTableFile::storable(field));
        }
    }

    const BookmarksHtml::Contents back = BookmarksHtml::read(BookmarksHtml::write(read.folders, true), today);
    FUZZ_CHECK(back.skipped == 0);
    FUZZ_CHECK(sameTables(back.folders, read.folders));

    FUZZ_CHECK(FuzzInput::growsLinearly([](const QByteArray &file) { readFile(file); }, bytes));
    return 0;
}
