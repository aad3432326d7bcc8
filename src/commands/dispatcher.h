#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class Bookmark;
class Captions;
class CommandBars;
class DesktopShell;
class MainWindowCommands;
class Navigator;
class QComboBox;
class TabSet;
class TravelEngine;
class UserDialogs;
class WriteResult;
struct ProgramState;

// Carries out every command of the main window's bars. Any click first stops travel.
class Dispatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int writeFailedCaption = 227;
    static constexpr int noSettingsPanelCaption = 281;

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

    static constexpr int bookmarkedCaption = 382;

    explicit Dispatcher(Parts parts, QObject *parent = nullptr);

    using Action = std::function<void()>;

    void cmdBar_ButtonClick(int instance, const QString &key);

    // Gives a key of a bar instance its command; the subsystems built beside the dispatcher
    // (link tables, dialogs, exports) hand theirs in this way.
    void setCommand(int instance, const QString &key, Action action);

    // The message of a failed write: what happened, the file and the system's reason.
    static QString writeFailure(const ProgramState &state, const WriteResult &result);

private:
    void buildTables();
    void searchButton(const QString &address);
    void pageCommand(int command);
    void chooseStyle(qint16 style);
    void switchLanguage(const QString &key);
    void report(const WriteResult &result);

    Parts m_;
    QHash<int, QHash<QString, Action>> m_tables;
};
