#pragma once

class CommandCatalogue;
class Navigator;
class QComboBox;
class QWidget;
class UserDialogs;
struct ProgramState;

// The link tables as the main window uses them: the index loaded by the deferred start-up step,
// and "FAVORITE", which opens the link-table window and goes to the link chosen there.
class LinkTables
{
public:
    LinkTables(ProgramState &state, UserDialogs &dialogs, const CommandCatalogue &catalogue,
               Navigator &navigator, QComboBox *addressBox, QWidget *window);

    void Load_Index();
    void Open_Tables();

private:
    ProgramState &m_state;
    UserDialogs &m_dialogs;
    const CommandCatalogue &m_catalogue;
    Navigator &m_navigator;
    QComboBox *m_addressBox;
    QWidget *m_window;
};
