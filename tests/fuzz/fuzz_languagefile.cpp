// The language file: any bytes read; captions land only in their slots, the language code keeps
// at most three characters, and a second reading gives the same captions and settings.
#include "language/languagefile.h"
#include "fuzzinput.h"

namespace {

QStringList settings(const ProgramState &s)
{
    return {s.startPage,   s.langCode,    s.searchUrl,     s.searchDescr,     s.dictionaryUrl,
            s.dictionaryDescr, s.mapUrl,  s.mapDescr,      s.socialUrl,       s.socialDescr,
            s.ecommerceUrl, s.ecommerceDescr, s.translatorAddress, s.searchQuery, QString::number(s.tabWidth)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput::write("Languages/Lang_English.txt", data, size);
    ProgramState read = FuzzInput::freshState();
    const LanguageFile::ReadResult result = LanguageFile::Read_Lang(read);
    FUZZ_CHECK(result.found);
    FUZZ_CHECK(read.langCode.size() <= 3);
    FUZZ_CHECK(read.captions[0].isEmpty());
    for (const QString &caption : read.captions)
        FUZZ_CHECK(FuzzInput::isOneLine(caption));

    ProgramState again = FuzzInput::freshState();
    const LanguageFile::ReadResult second = LanguageFile::Read_Lang(again);
    FUZZ_CHECK(again.captions == read.captions && settings(again) == settings(read));
    FUZZ_CHECK(second.tabNumber.has_value() == result.tabNumber.has_value());
    return 0;
}
