#pragma once

#include <memory>

class Bookmark;
class CommandBars;
class CommandCatalogue;
class DesktopShell;
class Dispatcher;
class DocumentShell;
class Exports;
class frmStart;
class LinkTables;
class UserDialogs;
struct ProgramState;

// Builds the main window's command catalogue, bars and dispatcher, and hands the dispatcher the
// commands of every subsystem: the about box, the language editor, the manual, the link tables,
// the exports, the keyboard shortcuts, the page zoom, the explorer, the journeys and the
// clearing of what travel left.
namespace CommandWiring {

struct Services
{
    ProgramState &state;
    UserDialogs &dialogs;
    DesktopShell &shell;
    // The manual and the help open in a tab of the program's own.
    DocumentShell &documents;
    Bookmark &bookmark;
};

struct Commands
{
    std::unique_ptr<CommandCatalogue> catalogue;
    CommandBars *bars = nullptr;
    Dispatcher *dispatcher = nullptr;
    std::unique_ptr<LinkTables> linkTables;
    Exports *exports = nullptr;
};

Commands build(frmStart &window, const Services &services);
// The language names and their count follow the catalogue's language entries.
void countLanguages(ProgramState &state, const CommandCatalogue &catalogue);
// The bars' marks show the floating bar, the look and the language the options file keeps.
void showSettings(CommandBars &bars, const ProgramState &state);
// The language menu marks the language in use.
void markLanguage(CommandBars &bars, const ProgramState &state);

} // namespace CommandWiring
