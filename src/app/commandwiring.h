#pragma once

class CommandBars;
class CommandCatalogue;
class DesktopShell;
class Dispatcher;
class Navigator;
class QComboBox;
class QLabel;
class QWidget;
class TabSet;
class TravelEngine;
class UserDialogs;
struct ProgramState;

// Hands the dispatcher the commands of the subsystems that bring their own windows or keys: the
// about box, the language editor, the manual, the keyboard shortcuts, the page zoom, the explorer
// and the journeys. The window's own commands are the dispatcher's tables.
namespace CommandWiring {

struct Parts
{
    ProgramState &state;
    UserDialogs &dialogs;
    DesktopShell &documents;
    TabSet &tabs;
    Navigator &navigator;
    TravelEngine &travel;
    CommandCatalogue &catalogue;
    CommandBars &bars;
    Dispatcher &dispatcher;
    QComboBox *addressBox;
    QLabel *statusBar;
    QWidget *window;
};

void wire(const Parts &parts);
// The language names and their count follow the catalogue's language entries.
void countLanguages(ProgramState &state, const CommandCatalogue &catalogue);
// The bars' marks show the floating bar and the look the options file keeps.
void showSettings(CommandBars &bars, const ProgramState &state);

} // namespace CommandWiring
