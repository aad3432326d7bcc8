#include "commandwiring.h"

#include "browsing/documentshell.h"
#include "browsing/pagezoom.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/barkeys.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "commands/dispatcher.h"
#include "commands/keyboardshortcuts.h"
#include "core/programstate.h"
#include "dialogs/frmabout.h"
#include "dialogs/usermanual.h"
#include "export/exports.h"
#include "floatingbar.h"
#include "frmstart.h"
#include "historybuttons.h"
#include "maincommands.h"
#include "maincontrols.h"
#include "language/captions.h"
#include "language/frmlang.h"
#include "language/languagename.h"
#include "linktables/linktables.h"
#include "travel/explorercommands.h"
#include "travel/journeycommands.h"
#include "travel/journeytitles.h"
#include "travel/traveltraces.h"

#include <QAction>
#include <QDir>
#include <QToolButton>

namespace {

std::unique_ptr<CommandCatalogue> makeCatalogue(ProgramState &state)
{
    auto catalogue = std::make_unique<CommandCatalogue>(LanguageName::ofFile);
    const QDir languages(state.appFolder.path(QStringLiteral("\\Languages")));
    catalogue->Make_Buttons(languages.entryList({QStringLiteral("Lang_*")}, QDir::Files, QDir::Name));
    catalogue->Build_Bars();
    CommandWiring::countLanguages(state, *catalogue);
    return catalogue;
}

void wireDialogs(frmStart &window, const CommandWiring::Services &s, CommandWiring::Commands &made)
{
    const int menu = CommandBars::menuInstance;
    CommandCatalogue &catalogue = *made.catalogue;
    CommandBars &bars = *made.bars;
    const Dispatcher::Action about = [&window, s, &catalogue] {
        frmAbout box(s.state, catalogue, s.dialogs, s.documents, &window);
        box.exec();
    };
    made.dispatcher->setCommand(0, QStringLiteral("BRUSALDO"), about);
    made.dispatcher->setCommand(menu, QStringLiteral("FILE:BRUSALDO"), about);
    made.dispatcher->setCommand(menu, CommandCatalogue::newLanguageKey, [&window, s, &catalogue, &bars] {
        frmLang editor(s.state, catalogue, s.dialogs, &window);
        QObject::connect(&editor, &frmLang::languageSaved, &window, [s, &catalogue, &bars](const QString &fileName) {
            const QString key = catalogue.addLanguage(fileName);
            if (key.isEmpty())
                return;
            bars.addLanguageEntry(key);
            CommandWiring::countLanguages(s.state, catalogue);
        });
        editor.exec();
    });
    made.dispatcher->setCommand(menu, QStringLiteral("FILE:HELP"),
                                [s] { UserManual::open(s.state, s.documents, s.dialogs); });
    made.linkTables = std::make_unique<LinkTables>(s.state, s.dialogs, catalogue, window.navigator(), window.Text1, &window);
    LinkTables &tables = *made.linkTables;
    made.dispatcher->setCommand(0, QStringLiteral("FAVORITE"), [&tables] { tables.Open_Tables(); });
}

void wireExports(frmStart &window, const CommandWiring::Services &s, CommandWiring::Commands &made)
{
    ProgramState &state = s.state;
    // A capture of the page hides the bars while it is taken.
    made.exports = new Exports(state, window.tabs(), s.dialogs, s.shell,
                               Exports::Window{&window, window.statusBar,
                                               [&window, &state] {
                                                   state.barsShown = true;
                                                   window.floatingBar().GO_BarOff();
                                               },
                                               [&window, &state] {
                                                   state.barsShown = false;
                                                   window.floatingBar().GO_BarOn();
                                               },
                                               [&window] { window.floatingBar().Timer1.start(); }},
                               &window);
    made.exports->registerCommands(*made.dispatcher);
}

void wireKeysAndTravel(frmStart &window, const CommandWiring::Services &s, Dispatcher &dispatcher, CommandBars &bars)
{
    const int menu = CommandBars::menuInstance;
    new KeyboardShortcuts(dispatcher, &window, window.Text1);
    auto *zoom = new PageZoom(window.tabs(), window.statusBar, [&dispatcher, menu](bool zoomIn) {
        dispatcher.cmdBar_ButtonClick(menu, zoomIn ? KeyboardShortcuts::zoomInKey : KeyboardShortcuts::zoomOutKey);
    }, &window);
    dispatcher.setCommand(menu, KeyboardShortcuts::zoomInKey, [zoom] { zoom->zoomIn(); });
    dispatcher.setCommand(menu, KeyboardShortcuts::zoomOutKey, [zoom] { zoom->zoomOut(); });
    dispatcher.setCommand(menu, KeyboardShortcuts::zoomResetKey, [zoom] { zoom->resetZoom(); });
    new ExplorerCommands(s.state, window.travel(), bars, s.dialogs, dispatcher, &window);
    new JourneyCommands(s.state, window.travel(), s.dialogs, window.navigator(), window.Text1, dispatcher, &window);
    new JourneyTitles(window.travel(), &window);
    new TravelTraces(s.state, window.travel(), window.tabs(), s.dialogs, dispatcher, &window);
}

} // namespace

CommandWiring::Commands CommandWiring::build(frmStart &window, const Services &s)
{
    Commands made;
    made.catalogue = makeCatalogue(s.state);
    made.bars = new CommandBars(*made.catalogue, window.cmdBar0, window.cmdBar1, window.cmdBar2, &window);
    window.captions().attach(made.bars, {window.cmdMove, window.cmdMoveL});
    MainControls::nameMainControls(window);
    new BarKeys(&window, {window.cmdBar0, window.cmdBar2}, [&window] { window.tabs().activeView()->SetFocus(); });
    new HistoryButtons(window.tabs(), *made.bars, &window);
    made.dispatcher = new Dispatcher(*made.bars, window, &window);
    new MainCommands(MainCommands::Parts{s.state, window.tabs(), window.navigator(), window.travel(), s.bookmark,
                                         window.captions(), *made.bars, s.shell, s.dialogs, window.Text1, window},
                     *made.dispatcher, &window);
    wireDialogs(window, s, made);
    wireExports(window, s, made);
    wireKeysAndTravel(window, s, *made.dispatcher, *made.bars);
    return made;
}

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
    markLanguage(bars, state);
}

void CommandWiring::markLanguage(CommandBars &bars, const ProgramState &state)
{
    for (QAction *entry : bars.menu(QStringLiteral("LANG"))->actions()) {
        const QString file = bars.catalogue().languageFile(entry->objectName());
        if (!file.isEmpty())
            entry->setChecked(LanguageName::ofFile(file).compare(state.languageName, Qt::CaseInsensitive) == 0);
    }
}
