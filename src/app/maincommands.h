#pragma once

#include <QObject>

class Bookmark;
class Captions;
class CommandBars;
class DesktopShell;
class Dispatcher;
class MainWindowCommands;
class Navigator;
class QComboBox;
class TabSet;
class TravelEngine;
class UserDialogs;
class WriteResult;
struct ProgramState;

// The main window's own commands: the page, the searches, the looks, the bookmark, travel and the
// language entries. Every click first stops travel.
class MainCommands : public QObject
{
    Q_OBJECT
public:
    static constexpr int noSettingsPanelCaption = 281;
    static constexpr int bookmarkedCaption = 382;

    struct Parts
    {
        ProgramState &state;
        TabSet &tabs;
        Navigator &navigator;
        TravelEngine &travel;
        Bookmark &bookmark;
        Captions &captions;
        CommandBars &bars;
        DesktopShell &shell;
        UserDialogs &dialogs;
        QComboBox *addressBox;
        MainWindowCommands &window;
    };

    // Fills the dispatcher's tables.
    MainCommands(Parts parts, Dispatcher &dispatcher, QObject *parent = nullptr);

private:
    void fillTables(Dispatcher &dispatcher);
    void searchButton(const QString &address);
    void pageCommand(int command);
    void chooseStyle(qint16 style);
    void switchLanguage(const QString &key);
    void report(const WriteResult &result);

    Parts m_;
};
