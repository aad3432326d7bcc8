// The link-table index: any bytes read into the 150 entries the index keeps, each count a
// number of rows from 0 to 32767 and no title holding the comma that ends it; the index written
// back reads again to the same titles and counts.
#include "fuzzinput.h"
#include "linktables/linkindex.h"

namespace {

QList<QPair<QString, int>> entries(const ProgramState &state)
{
    QList<QPair<QString, int>> list;
    for (int entry = 1; entry <= LinkIndex::entryCount(state); ++entry)
        list.append({state.linkIndex[entry].title, LinkIndex::count(state, entry)});
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput::write("Links/Links.Bok", data, size);
    ProgramState read = FuzzInput::freshState();
    FUZZ_CHECK(LinkIndex::Load_Index(read).ok());
    FUZZ_CHECK(LinkIndex::entryCount(read) == 150);
    for (int entry = 1; entry <= LinkIndex::entryCount(read); ++entry) {
        const int count = LinkIndex::count(read, entry);
        FUZZ_CHECK(count >= 0 && count <= LinkIndex::maxCount);
        FUZZ_CHECK(!read.linkIndex[entry].title.contains(u',') && FuzzInput::isOneLine(read.linkIndex[entry].title));
    }

    FUZZ_CHECK(LinkIndex::Save_Title(read).ok());
    ProgramState again = FuzzInput::freshState();
    FUZZ_CHECK(LinkIndex::Load_Index(again).ok());
    FUZZ_CHECK(entries(again) == entries(read));
    return 0;
}
