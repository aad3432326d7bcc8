#pragma once

#include <QtGlobal>

class UserDialogs;
struct ProgramState;

// The link-table window's import and export of a browser's bookmarks file: the file dialogs, the
// questions, and the message that counts what became of the entries.
class BookmarkCommands
{
public:
    static constexpr int importCaption = 318;
    static constexpr int importTooltip = 319;
    static constexpr int exportCaption = 320;
    static constexpr int exportTooltip = 321;
    // Larger files are not read: a file of bookmarks is far smaller.
    static constexpr qint64 largestFile = qint64(256) << 20;
    static constexpr int tooLargeCaption = 501;

    BookmarkCommands(ProgramState &state, UserDialogs &dialogs) : m_state(state), m_dialogs(dialogs) {}

    // Merges a chosen file into the tables; the current table stays selected, to be read again.
    void importFile();
    // Writes the current table, or every table, to a chosen file.
    void exportFile();

private:
    ProgramState &m_state;
    UserDialogs &m_dialogs;
};
