#include "exploreroptions.h"

#include "core/appfolder.h"
#include "core/numbers.h"

ExplorerOptions ExplorerOptionsFile::read(const AppFolder &folder)
{
    const auto lines = TextFile::readLines(folder.path(fileName));
    if (!lines || lines->size() != qsizetype(explorerFlags.size()))
        return {};
    ExplorerOptions options;
    for (size_t i = 0; i < explorerFlags.size(); ++i) {
        const QString value = lines->at(i).trimmed();
        if (value != u"1" && value != u"0")
            return {};
        options.*explorerFlags[i] = value == u"1";
    }
    return options;
}

WriteResult ExplorerOptionsFile::save(const AppFolder &folder, const ExplorerOptions &options)
{
    QStringList lines;
    for (const auto flag : explorerFlags)
        lines << Numbers::formatInteger(options.*flag ? 1 : 0);
    return TextFile::writeLines(folder.path(fileName), lines);
}
