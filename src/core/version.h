#pragma once

#include <QString>

// The program's version as the build gives it: major.minor.revision, no leading zeros.
inline QString programVersion() { return QStringLiteral(TAMZO_VERSION); }
