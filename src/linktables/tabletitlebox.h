#pragma once

#include <functional>

class QLineEdit;
class UserDialogs;
struct ProgramState;

// The box of the link-table window where the user names the table shown: the title command opens
// it, and closes it again without taking its text; Enter takes the text as the table's title.
class TableTitleBox
{
public:
    static constexpr int refusedCaption = 232;

    // saveTitles saves the tables' titles and tells the user when it fails.
    TableTitleBox(ProgramState &state, UserDialogs &dialogs, QLineEdit *box, std::function<bool()> saveTitles);

    void toggle();
    void enter();
    // Every visit of the window starts with the box closed, however the last one ended.
    void close();

private:
    void setBackground(bool editing);

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    QLineEdit *m_box;
    std::function<bool()> m_saveTitles;
};
