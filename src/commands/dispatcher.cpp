#include "dispatcher.h"

#include "commandbars.h"
#include "mainwindowcommands.h"

Dispatcher::Dispatcher(CommandBars &bars, MainWindowCommands &window, QObject *parent) : QObject(parent)
{
    connect(&bars, &CommandBars::clicked, this, &Dispatcher::cmdBar_ButtonClick);
    connect(&bars, &CommandBars::menuShown, this, [&window] { window.menuShown(); });
    connect(&bars, &CommandBars::menuClosed, this, [&window] { window.menuClosed(); });
}

void Dispatcher::cmdBar_ButtonClick(int instance, const QString &key)
{
    const auto table = m_tables.constFind(instance);
    const Command *command = nullptr;
    if (table != m_tables.constEnd()) {
        if (const auto found = table->constFind(key); found != table->constEnd())
            command = &*found;
    }
    if (m_beforeEveryCommand && (!command || command->interrupts == Interrupts::Yes))
        m_beforeEveryCommand();
    if (command)
        command->action();
    else if (table != m_tables.constEnd() && m_unlisted)
        m_unlisted(instance, key);
}

void Dispatcher::setCommand(int instance, const QString &key, Action action, Interrupts interrupts)
{
    m_tables[instance].insert(key, Command{std::move(action), interrupts});
}
