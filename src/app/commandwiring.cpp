#include "commandwiring.h"

#include "browsing/pagezoom.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "commands/dispatcher.h"
#include "commands/keyboardshortcuts.h"
#include "core/programstate.h"
#include "dialogs/frmabout.h"
#include "dialogs/usermanual.h"
#include "language/frmlang.h"
#include "travel/explorercommands.h"
#include "travel/journeycommands.h"

#include <QAction>

void CommandWiring::countLanguages(ProgramState &state, const CommandCatalogue &catalogue)
{
    state.languageNames = catalogue.languageNames();
    state.languageCount = static_cast<qint16>(state.languageNames.size());
}

void CommandWiring::showSettings(CommandBars &bars, const ProgramState &state)
{
    bars.action(QStringLiteral("FILE:FLOATING"))->setChecked(state.floatingBar != 0);
    const char *const styles[] = {"FILE:SYSTEM", "FILE:OFFICE", "FILE:MONEY", "FILE:XP"};
    if (state.barStyle >= 0 && state.barStyle <= 3)
        bars.action(QString::fromLatin1(styles[state.barStyle]))->setChecked(true);
}

void CommandWiring::wire(const Parts &p)
{
    const int menu = CommandBars::menuInstance;
    const Dispatcher::Action about = [p] {
        frmAbout box(p.state, p.catalogue, p.dialogs, p.documents, p.window);
        box.exec();
    };
    p.dispatcher.setCommand(0, QStringLiteral("BRUSALDO"), about);
    p.dispatcher.setCommand(menu, QStringLiteral("FILE:BRUSALDO"), about);
    p.dispatcher.setCommand(menu, CommandCatalogue::newLanguageKey, [p] {
        frmLang editor(p.state, p.catalogue, p.dialogs, p.window);
        QObject::connect(&editor, &frmLang::languageSaved, p.window, [p](const QString &fileName) {
            const QString key = p.catalogue.addLanguage(fileName);
            if (key.isEmpty())
                return;
            p.bars.addLanguageEntry(key);
            countLanguages(p.state, p.catalogue);
        });
        editor.exec();
    });
    p.dispatcher.setCommand(menu, QStringLiteral("FILE:HELP"),
                            [p] { UserManual::open(p.state, p.documents, p.dialogs); });
    new KeyboardShortcuts(p.dispatcher, p.window, p.addressBox);
    Dispatcher &dispatcher = p.dispatcher;
    auto *zoom = new PageZoom(p.tabs, p.statusBar, [&dispatcher, menu](bool zoomIn) {
        dispatcher.cmdBar_ButtonClick(menu, zoomIn ? KeyboardShortcuts::zoomInKey : KeyboardShortcuts::zoomOutKey);
    }, p.window);
    p.dispatcher.setCommand(menu, KeyboardShortcuts::zoomInKey, [zoom] { zoom->zoomIn(); });
    p.dispatcher.setCommand(menu, KeyboardShortcuts::zoomOutKey, [zoom] { zoom->zoomOut(); });
    p.dispatcher.setCommand(menu, KeyboardShortcuts::zoomResetKey, [zoom] { zoom->resetZoom(); });
    new ExplorerCommands(p.state, p.travel, p.bars, p.dialogs, p.dispatcher, p.window);
    new JourneyCommands(p.state, p.travel, p.dialogs, p.navigator, p.addressBox, p.dispatcher, p.window);
}
