// The options file: any bytes read; the values read are written back and read again unchanged.
#include "fuzzinput.h"
#include "settings/optionsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput::write("Data/TamzoTravel.Opt", data, size);
    ProgramState read = FuzzInput::freshState();
    FUZZ_CHECK(OptionsFile::Read_Opt(read).ok());
    FUZZ_CHECK(FuzzInput::isOneLine(read.startAddress) && FuzzInput::isOneLine(read.languageName));

    FUZZ_CHECK(OptionsFile::Save_Opt(read).ok());
    ProgramState again = FuzzInput::freshState();
    FUZZ_CHECK(OptionsFile::Read_Opt(again).ok());
    FUZZ_CHECK(again.barStyle == read.barStyle && again.optionFlag2 == read.optionFlag2);
    FUZZ_CHECK(again.floatingBar == read.floatingBar && again.optionFlag4 == read.optionFlag4);
    FUZZ_CHECK(again.startAddress == read.startAddress && again.languageName == read.languageName);
    return 0;
}
