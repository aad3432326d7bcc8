#include "explorercommands.h"

#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "core/programstate.h"
#include "core/writefailure.h"
#include "platform/userdialogs.h"
#include "travelengine.h"

#include <QAction>

ExplorerCommands::ExplorerCommands(ProgramState &state, TravelEngine &travel, CommandBars &bars, UserDialogs &dialogs,
                                   Dispatcher &dispatcher, QObject *parent)
    : QObject(parent), m_state(state), m_travel(travel), m_bars(bars), m_dialogs(dialogs)
{
    const ExplorerOptions options = ExplorerOptionsFile::read(state.appFolder);
    m_travel.explorer().setOptions(options);
    for (int i = 0; i < keys.size(); ++i) {
        m_bars.action(keys[i])->setChecked(options.*explorerFlags[i]);
        dispatcher.setCommand(CommandBars::menuInstance, keys[i], [this] { takeChecks(); });
    }
}

void ExplorerCommands::takeChecks()
{
    ExplorerOptions options;
    for (int i = 0; i < keys.size(); ++i)
        options.*explorerFlags[i] = m_bars.action(keys[i])->isChecked();
    m_travel.explorer().setOptions(options);
    if (const WriteResult saved = ExplorerOptionsFile::save(m_state.appFolder, options); !saved.ok())
        m_dialogs.message(writeFailureText(m_state, saved));
}
