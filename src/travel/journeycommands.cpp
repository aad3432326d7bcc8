#include "journeycommands.h"

#include "browsing/navigator.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "core/programstate.h"
#include "frmjourney.h"

#include <QComboBox>
#include <QShortcut>

JourneyCommands::JourneyCommands(ProgramState &state, TravelEngine &travel, UserDialogs &dialogs, Navigator &navigator,
                                 QComboBox *addressBox, Dispatcher &dispatcher, QWidget *mainWindow)
    : QObject(mainWindow), m_state(state), m_travel(travel), m_dialogs(dialogs), m_dispatcher(dispatcher),
      m_mainWindow(mainWindow)
{
    const int menus = CommandBars::menuInstance;
    // Travel goes on while the user watches its picture grow.
    dispatcher.setCommand(menus, showKey, [this] { showWindow(); }, Dispatcher::Interrupts::No);
    dispatcher.setCommand(menus, openPageKey, [this, &navigator, addressBox] {
        addressBox->setEditText(m_state.chosenAddress);
        navigator.GoNavigate(0);
        m_mainWindow->activateWindow();
    });
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), mainWindow);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] { m_dispatcher.cmdBar_ButtonClick(CommandBars::menuInstance, showKey); });
}

void JourneyCommands::showWindow()
{
    if (!m_window) {
        m_window = new frmJourney(m_state, m_travel, m_dialogs, m_mainWindow);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &frmJourney::pageChosen, this, [this](const QString &address) {
            m_state.chosenAddress = address;
            m_dispatcher.cmdBar_ButtonClick(CommandBars::menuInstance, openPageKey);
        });
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

frmJourney *JourneyCommands::window() const { return m_window; }
