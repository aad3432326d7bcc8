// A link-table file with the row count its index gives (the input's first two bytes): any bytes
// read into at most 32767 rows of six fields; the table saved (sorted, untitled rows dropped,
// the index counted down) reads again to the same rows.
#include "fuzzinput.h"
#include "linktables/linkindex.h"
#include "linktables/linktable.h"
#include "linktables/linktablefile.h"

namespace {

std::vector<LinkRow> rows(const LinkTable &table)
{
    std::vector<LinkRow> list;
    for (int r = 1; r <= table.rowCount(); ++r)
        list.push_back(table.row(r));
    return list;
}

bool sameRows(const std::vector<LinkRow> &a, const std::vector<LinkRow> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const LinkRow &x, const LinkRow &y) { return x.fields == y.fields; });
}

ProgramState tableState()
{
    ProgramState state = FuzzInput::freshState();
    state.linkFileStem = FuzzInput::folder().filePath("Links/Links.");
    LinkIndex::selectTable(state, 0);
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int count = (data[0] << 8 | data[1]) & 0x7fff;
    FuzzInput::write("Links/Links.000", data + 2, size - 2);
    ProgramState state = tableState();
    state.linkIndex[1] = {QStringLiteral("Table"), QString::number(count)};
    LinkTable table(state);
    table.Read_Table();
    FUZZ_CHECK(table.rowCount() >= count && table.rowCount() <= std::max(count, int(LinkIndex::maxCount)));
    FUZZ_CHECK(LinkIndex::count(state, 1) == table.rowCount());
    for (const LinkRow &row : rows(table)) {
        for (const QString &field : row.fields)
            FUZZ_CHECK(FuzzInput::isOneLine(field) && !field.contains(LinkTableFile::separator));
    }

    FUZZ_CHECK(table.Save_Table().ok());
    ProgramState again = tableState();
    FUZZ_CHECK(LinkIndex::Load_Index(again).ok());
    LinkIndex::selectTable(again, 0);
    LinkTable reread(again);
    reread.Read_Table();
    FUZZ_CHECK(sameRows(rows(reread), rows(table)));
    return 0;
}
