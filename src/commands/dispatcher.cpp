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
    if (m_beforeEveryCommand)
        m_beforeEveryCommand();
    const auto table = m_tables.constFind(instance);
    if (table == m_tables.constEnd())
        return;
    if (const auto action = table->constFind(key); action != table->constEnd())
        (*action)();
    else if (m_unlisted)
        m_unlisted(instance, key);
}

void Dispatcher::setCommand(int instance, const QString &key, Action action)
{
    m_tables[instance].insert(key, std::move(action));
}
