// The bookmark file: its first line is the address the bookmark opens (opening it is the web
// view's work, not fuzzed here); that address is saved by the real save procedure and read
// back unchanged. The same line reader serves every text file of the program.
#include "browsing/bookmark.h"
#include "browsing/tabset.h"
#include "fuzzinput.h"
#include "scripteddialogs.h"

#include <QComboBox>
#include <QTabBar>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput::write("Data/TamzoBook.bm", data, size);
    static ProgramState state = FuzzInput::freshState();
    const auto lines = TextFile::readLines(state.appFolder.path(Bookmark::fileName));
    FUZZ_CHECK(lines.has_value());
    for (const QString &line : *lines)
        FUZZ_CHECK(FuzzInput::isOneLine(line));
    if (lines->isEmpty())
        return 0;

    static ScriptedDialogs dialogs;
    static QWidget *host = new QWidget;
    static TabSet *tabs = new TabSet(state, dialogs, new QTabBar(host), host);
    static Bookmark bookmark(state, *tabs, new QComboBox(host));
    state.bookmarkAddress = lines->first();
    FUZZ_CHECK(bookmark.Save_BookMark().ok());
    const auto again = TextFile::readLines(state.appFolder.path(Bookmark::fileName));
    FUZZ_CHECK(again && again->size() == 1 && again->first() == lines->first());
    return 0;
}
