#pragma once

#include <QString>

class WriteResult;
struct ProgramState;

inline constexpr int writeFailedCaption = 227;

// The message of a failed write: what happened, the file and the system's reason.
QString writeFailureText(const ProgramState &state, const WriteResult &result);
