// The explorer options file: any bytes read to four options; the options read are saved and read
// back the same, and reading takes no more than linear time in the file's size.
#include "fuzzinput.h"
#include "travel/exploreroptions.h"

static const QString fileName = QStringLiteral("Data/TamzoExplorer.Opt");

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AppFolder folder(FuzzInput::folder().path());
    FuzzInput::write(fileName, data, size);
    const ExplorerOptions read = ExplorerOptionsFile::read(folder);

    const auto readFile = [&folder](const QByteArray &file) {
        FuzzInput::write(fileName, file);
        ExplorerOptionsFile::read(folder);
    };
    FUZZ_CHECK(FuzzInput::growsLinearly(readFile, QByteArrayView(data, qsizetype(size))));

    FUZZ_CHECK(ExplorerOptionsFile::save(folder, read).ok());
    FUZZ_CHECK(ExplorerOptionsFile::read(folder) == read);
    return 0;
}
