// The window settings file: any bytes read into a usable main window and finite fractions; the
// values read are written back and read again unchanged.
#include "fuzzinput.h"
#include "settings/windowsettings.h"

#include <cmath>

namespace {

constexpr double screenWidth = 1920 * 15, screenHeight = 1080 * 15;

QList<double> values(const ProgramState &s)
{
    return {double(s.mainTop),     double(s.mainLeft),   double(s.mainHeight),  double(s.mainWidth),
            s.linkTableTop,        s.linkTableLeft,      s.linkTableHeight,     s.linkTableWidth,
            s.gridEditorTop,       s.gridEditorLeft,     s.gridEditorHeight,    s.gridEditorWidth,
            double(s.mainFullScreen)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput::write("Data/TamzoTravel.Ini", data, size);
    ProgramState read = FuzzInput::freshState();
    WindowSettings::Read_Ini(read, QSizeF(screenWidth, screenHeight));
    FUZZ_CHECK(read.mainTop >= 0 && read.mainLeft >= 0);
    FUZZ_CHECK(read.mainHeight >= 2000 || read.mainHeight == screenHeight);
    FUZZ_CHECK(read.mainWidth >= 3000 || read.mainWidth == screenWidth);
    for (double value : values(read))
        FUZZ_CHECK(std::isfinite(value));

    const QRectF window(read.mainLeft, read.mainTop, read.mainWidth, read.mainHeight);
    FUZZ_CHECK(WindowSettings::Save_Ini(read, window).ok());
    ProgramState again = FuzzInput::freshState();
    WindowSettings::Read_Ini(again, QSizeF(screenWidth, screenHeight));
    // Compared as numbers: -0 is written as 0.
    const QList<double> written = values(read), reread = values(again);
    FUZZ_CHECK(std::equal(written.begin(), written.end(), reread.begin(), reread.end()));
    return 0;
}
