#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class CommandBars;
class MainWindowCommands;

// Carries out every command of the main window's bars: each bar instance has a table of commands
// by key, filled by the subsystems that own them.
class Dispatcher : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void()>;
    using Unlisted = std::function<void(int instance, const QString &key)>;

    Dispatcher(CommandBars &bars, MainWindowCommands &window, QObject *parent = nullptr);

    void cmdBar_ButtonClick(int instance, const QString &key);

    // Gives a key of a bar instance its command; one that only shows what goes on (the journey's
    // picture) is no interruption.
    enum class Interrupts { Yes, No };
    void setCommand(int instance, const QString &key, Action action, Interrupts interrupts = Interrupts::Yes);
    // Runs before every command that interrupts (the main window stops travel).
    void setBeforeEveryCommand(Action action) { m_beforeEveryCommand = std::move(action); }
    // Takes a key that no table lists (the language entries, added during the run).
    void setUnlistedCommand(Unlisted unlisted) { m_unlisted = std::move(unlisted); }

private:
    struct Command
    {
        Action action;
        Interrupts interrupts;
    };
    QHash<int, QHash<QString, Command>> m_tables;
    Action m_beforeEveryCommand;
    Unlisted m_unlisted;
};
