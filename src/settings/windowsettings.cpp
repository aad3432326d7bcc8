#include "windowsettings.h"

#include "core/numbers.h"
#include "core/programstate.h"

namespace {

// The geometry lines of the main window hold plain integers; a screen larger than 32767 twips
// (a 4K screen is 57600 wide) must fit, so they are read in the 32-bit range.
void readInteger(const QStringList &lines, int index, int &target)
{
    if (index >= lines.size())
        return;
    if (const auto value = Numbers::toInt32(Numbers::leadingNumber(lines[index])))
        target = *value;
}

} // namespace

void WindowSettings::Read_Ini(ProgramState &state, const QSizeF &screen)
{
    const auto lines = TextFile::readLines(state.appFolder.path(fileName));
    if (!lines) {
        state.mainTop = 0;
        state.mainLeft = 0;
        state.mainHeight = static_cast<int>(screen.height());
        state.mainWidth = static_cast<int>(screen.width());
        return;
    }
    // A line the file lacks leaves its value as it was, then the fallbacks apply as to any other.
    readInteger(*lines, 0, state.mainTop);
    readInteger(*lines, 1, state.mainLeft);
    readInteger(*lines, 2, state.mainHeight);
    readInteger(*lines, 3, state.mainWidth);
    state.mainTop = std::max(0, state.mainTop);
    state.mainLeft = std::max(0, state.mainLeft);
    if (state.mainHeight < 2000)
        state.mainHeight = static_cast<int>(screen.height());
    if (state.mainWidth < 3000)
        state.mainWidth = static_cast<int>(screen.width());

    double *const fractions[] = {&state.linkTableTop,     &state.linkTableLeft,  &state.linkTableHeight,
                                 &state.linkTableWidth,   &state.gridEditorTop,  &state.gridEditorLeft,
                                 &state.gridEditorHeight, &state.gridEditorWidth};
    for (int i = 0; i < 8 && 4 + i < lines->size(); ++i)
        *fractions[i] = Numbers::leadingNumber(lines->at(4 + i));
    if (lines->size() > 12) {
        if (const auto flag = Numbers::toInt16(Numbers::leadingNumber(lines->at(12))))
            state.mainFullScreen = *flag;
    }
}

WriteResult WindowSettings::Save_Ini(const ProgramState &state, const QRectF &window)
{
    QStringList lines = {
        Numbers::formatNumber(window.top() >= 0 ? window.top() : 0),
        Numbers::formatNumber(window.left() >= 0 ? window.left() : 0),
        Numbers::formatNumber(window.height() > 1000 ? window.height() : 1000),
        Numbers::formatNumber(window.width() > 2000 ? window.width() : 2000),
    };
    for (double value : {state.linkTableTop, state.linkTableLeft, state.linkTableHeight, state.linkTableWidth,
                         state.gridEditorTop, state.gridEditorLeft, state.gridEditorHeight, state.gridEditorWidth})
        lines << Numbers::formatNumber(value);
    lines << Numbers::formatInteger(state.mainFullScreen);
    return TextFile::writeLines(state.appFolder.path(fileName), lines);
}
