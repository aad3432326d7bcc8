#pragma once

#include "core/textfile.h"

#include <array>

class AppFolder;

// How travel chooses among the links it harvests. All off is the plain random walk.
struct ExplorerOptions
{
    // Links that differ from the page shown only by their "#" place are not candidates.
    bool skipSamePage = false;
    // Pages already visited on the journey are taken only when no new one is left.
    bool preferNewPages = false;
    // Only links to the host travel was started on.
    bool stayOnSite = false;
    // A page without candidates sends the step back to an earlier page that still has unvisited ones.
    bool jumpBackAtDeadEnd = false;

    bool anyOn() const { return skipSamePage || preferNewPages || stayOnSite || jumpBackAtDeadEnd; }
    bool operator==(const ExplorerOptions &) const = default;
};

// The options in the order of the options file's lines and of the TRAVEL menu.
inline constexpr std::array<bool ExplorerOptions::*, 4> explorerFlags = {
    &ExplorerOptions::skipSamePage, &ExplorerOptions::preferNewPages, &ExplorerOptions::stayOnSite,
    &ExplorerOptions::jumpBackAtDeadEnd};

// "\Data\TamzoExplorer.Opt": the four explorer options, one per line, " 1" on and " 0" off, in the
// order of the TRAVEL menu. Anything else in it (a missing line, another value) means all off.
class ExplorerOptionsFile
{
public:
    static inline const QString fileName = QStringLiteral("\\Data\\TamzoExplorer.Opt");

    static ExplorerOptions read(const AppFolder &folder);
    static WriteResult save(const AppFolder &folder, const ExplorerOptions &options);
};
