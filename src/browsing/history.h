#pragma once

#include "core/textfile.h"

class QComboBox;
struct ProgramState;

// The drop-down list of the address box is the history; "\Data\TamzoTravel.Hys" keeps the
// newest 30 non-empty entries between runs, oldest first. The list never offers a script address,
// which the program refuses to open, nor a line longer than any address a user would pick.
class History
{
public:
    static inline const QString fileName = QStringLiteral("\\Data\\TamzoTravel.Hys");
    static constexpr int savedEntries = 30;
    static constexpr int longestEntry = 4096;

    static bool offered(const QString &entry);

    History(ProgramState &state, QComboBox *addressBox);

    void Hyst_Read();
    void Hyst_Add();
    WriteResult Hyst_Save() const;

private:
    ProgramState &m_state;
    QComboBox *m_addressBox;
};
