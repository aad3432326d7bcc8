#pragma once

#include "core/textfile.h"

class QComboBox;
class TabSet;
struct ProgramState;

// The one bookmark, kept in "\Data\TamzoBook.bm" as a single line.
class Bookmark
{
public:
    static inline const QString fileName = QStringLiteral("\\Data\\TamzoBook.bm");

    Bookmark(ProgramState &state, TabSet &tabs, QComboBox *addressBox);

    // Stores bookmarkAddress, the address of the page shown.
    WriteResult Save_BookMark() const;
    // Opens the stored address in the active tab; silent when there is none.
    void Read_BookMark();

private:
    ProgramState &m_state;
    TabSet &m_tabs;
    QComboBox *m_addressBox;
};
