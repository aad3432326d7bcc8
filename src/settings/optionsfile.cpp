#include "optionsfile.h"

#include "core/linebreaks.h"
#include "core/numbers.h"
#include "core/programstate.h"

static void readInt16(const QStringList &lines, int index, qint16 &target)
{
    // A missing line keeps the value in memory; so does one out of the 16-bit range.
    if (index >= lines.size())
        return;
    if (const auto value = Numbers::toInt16(Numbers::leadingNumber(lines[index])))
        target = *value;
}

WriteResult OptionsFile::Read_Opt(ProgramState &state)
{
    state.languageName = QStringLiteral("English");
    const QString path = state.appFolder.path(fileName);
    auto lines = TextFile::readLines(path);
    if (!lines) {
        const QStringList defaults = {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                                      QStringLiteral("0"), ProgramState::defaultStartAddress};
        const WriteResult created = TextFile::writeLines(path, defaults);
        if (!created.ok())
            return created;
        lines = defaults;
    }
    readInt16(*lines, 0, state.barStyle);
    readInt16(*lines, 1, state.optionFlag2);
    readInt16(*lines, 2, state.floatingBar);
    readInt16(*lines, 3, state.optionFlag4);
    if (lines->size() > 4)
        state.startAddress = lines->at(4);
    if (lines->size() > 5)
        state.languageName = lines->at(5);
    return WriteResult::success();
}

WriteResult OptionsFile::Save_Opt(const ProgramState &state)
{
    return TextFile::writeLines(state.appFolder.path(fileName),
                                {Numbers::formatInteger(state.barStyle),
                                 Numbers::formatInteger(state.optionFlag2),
                                 Numbers::formatInteger(state.floatingBar),
                                 Numbers::formatInteger(state.optionFlag4), withoutLineBreaks(state.startAddress),
                                 withoutLineBreaks(state.languageName)});
}
