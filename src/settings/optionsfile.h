#pragma once

#include "core/textfile.h"

struct ProgramState;

// "\Data\TamzoTravel.Opt": bar style, a kept flag, floating bar, a kept flag, start address
// and language, one per line.
class OptionsFile
{
public:
    static inline const QString fileName = QStringLiteral("\\Data\\TamzoTravel.Opt");

    // Loads the options; a missing file is first created with the five default lines.
    // The result tells whether that creation failed (the values then stay the defaults).
    static WriteResult Read_Opt(ProgramState &state);

    static WriteResult Save_Opt(const ProgramState &state);
};
