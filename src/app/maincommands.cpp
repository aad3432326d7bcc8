#include "maincommands.h"

#include "commandwiring.h"
#include "browsing/addressrules.h"
#include "browsing/bookmark.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "commands/dispatcher.h"
#include "commands/mainwindowcommands.h"
#include "core/linebreaks.h"
#include "core/programstate.h"
#include "core/writefailure.h"
#include "language/captions.h"
#include "language/languagefile.h"
#include "language/languagename.h"
#include "platform/desktopshell.h"
#include "platform/userdialogs.h"
#include "settings/optionsfile.h"
#include "travel/travelengine.h"

#include <QAction>
#include <QComboBox>

MainCommands::MainCommands(Parts parts, Dispatcher &dispatcher, QObject *parent) : QObject(parent), m_(parts)
{
    fillTables(dispatcher);
    dispatcher.setBeforeEveryCommand([this] { m_.travel.interrupt(); });
    dispatcher.setUnlistedCommand([this](int instance, const QString &key) {
        if (instance == CommandBars::menuInstance && key.startsWith(u"LANG:") && key != CommandCatalogue::newLanguageKey)
            switchLanguage(key);
    });
}

void MainCommands::searchButton(const QString &address)
{
    m_.addressBox->setEditText(address);
    m_.navigator.GoNavigate(0);
}

void MainCommands::pageCommand(int command) { m_.tabs.activeView()->ExecWB(command, 0); }

void MainCommands::chooseStyle(qint16 style)
{
    m_.state.barStyle = style;
    m_.window.applyBarStyle();
}

void MainCommands::switchLanguage(const QString &key)
{
    // An entry keeps its file; a key that no entry offers names its language after "LANG:".
    const QString file = m_.bars.catalogue().languageFile(key);
    m_.state.languageName = file.isEmpty() ? key.section(u':', 1).toLower() : LanguageName::ofFile(file);
    if (const QString notice = m_.captions.Read_Lang(); !notice.isEmpty())
        m_.dialogs.message(notice);
    m_.captions.Set_Captions();
    CommandWiring::markLanguage(m_.bars, m_.state);
    report(OptionsFile::Save_Opt(m_.state));
}

void MainCommands::report(const WriteResult &result)
{
    if (!result.ok())
        m_.dialogs.message(writeFailureText(m_.state, result));
}

void MainCommands::fillTables(Dispatcher &dispatcher)
{
    const auto view = [this] { return m_.tabs.activeView(); };
    // A command of the page ends what was typed in the address box: it shows the page's address.
    const auto pageView = [this] {
        m_.navigator.showPageAddress();
        return m_.tabs.activeView();
    };
    const auto settingsPanel = [this](const QString &panel) {
        return [this, panel] {
            if (!m_.shell.open(panel))
                m_.window.showStatus(m_.state.caption(noSettingsPanelCaption, "This desktop offers no settings panel for this."));
        };
    };
    const Dispatcher::Action exit = [this] { m_.window.GO_Exit(); };

    QHash<QString, Dispatcher::Action> tables[3];
    tables[0] = {
        {"EXIT0", exit},
        {"BACK", [pageView] { pageView()->GoBack(); }},
        {"NEXT", [pageView] { pageView()->GoForward(); }},
        {"PRINT", [this] { pageCommand(WebView::Print); }},
    };

    tables[1] = {
        {"GOOGLE",
         [this] {
             // Words in the address box are searched for; anything else gives way to the search site.
             const QString typed = m_.addressBox->currentText();
             const bool words = !m_.state.searchQuery.isEmpty() && AddressRules::isSearchText(typed);
             searchButton(words ? AddressRules::searchAddress(m_.state.searchQuery, typed) : m_.state.searchUrl);
         }},
        {"WIKI", [this] { searchButton(m_.state.dictionaryUrl); }},
        {"MAP", [this] { searchButton(m_.state.mapUrl); }},
        {"SOCIAL", [this] { searchButton(m_.state.socialUrl); }},
        {"EBAY", [this] { searchButton(m_.state.ecommerceUrl); }},
        {"MIN", [this] { m_.window.minimizeWindow(); }},
        {"EXIT2", exit},
    };

    QHash<QString, Dispatcher::Action> &menus = tables[2];
    menus = {
        {"EDIT:STOP", [view] { view()->Stop(); }},
        {"EDIT:TXT",
         [this] { m_.shell.open(m_.state.appFolder.path(LanguageFile::fileName(m_.state.languageName))); }},
        {"EDIT:FINDDOC", [this] { m_.window.showFindBar(); }},
        {"EDIT:TRANS", [this, view] { view()->Navigate(m_.state.translatorAddress); }},
        {"EDIT:EXIT", exit},

        {"FILE:SYSTEM", [this] { chooseStyle(0); }},
        {"FILE:OFFICE", [this] { chooseStyle(1); }},
        {"FILE:MONEY", [this] { chooseStyle(2); }},
        {"FILE:XP", [this] { chooseStyle(3); }},
        {"FILE:FLOATING", [this] { m_.window.setFloatingBar(m_.bars.action("FILE:FLOATING")->isChecked()); }},
        {"FILE:EXPLORER", [this] { m_.shell.open(m_.addressBox->currentText()); }},
        {"FILE:SECURITY", settingsPanel(QStringLiteral("wscui.cpl"))},
        {"FILE:VOLUME", settingsPanel(QStringLiteral("mmsys.cpl"))},
        {"FILE:INTERNET", settingsPanel(QStringLiteral("INETCPL.CPL"))},

        {"NAVIGATE:PICK",
         [this] {
             const WriteResult saved = m_.bookmark.Save_BookMark();
             report(saved);
             if (saved.ok())
                 m_.window.showStatus(m_.state.caption(bookmarkedCaption, "This page is bookmarked:") % u' ' %
                                      m_.state.bookmarkAddress);
         }},
        {"NAVIGATE:GO", [this] { m_.bookmark.Read_BookMark(); }},
        {"NAVIGATE:BACK", [pageView] { pageView()->GoBack(); }},
        {"NAVIGATE:REFRESH", [pageView] { pageView()->Refresh2(); }},
        {"NAVIGATE:NEXT", [pageView] { pageView()->GoForward(); }},
        {"NAVIGATE:HOME", [pageView] { pageView()->GoHome(); }},
        {"NAVIGATE:PICKHOME",
         [this] {
             m_.state.startAddress = withoutLineBreaks(m_.addressBox->currentText());
             m_.tabs.setHomeAddress(m_.state.startAddress);
             report(OptionsFile::Save_Opt(m_.state));
         }},

        {"TRAVEL:TRE", [this] { m_.travel.startTravel(1); }},
        {"TRAVEL:SEI", [this] { m_.travel.startTravel(2); }},
        {"TRAVEL:DODICI", [this] { m_.travel.startTravel(4); }},
        {"TRAVEL:STOP", [this] { m_.travel.stopTravel(); }},
        {"TRAVEL:LOG", [this] { m_.travel.showLog(); }},
    };
    const struct
    {
        const char *key;
        int command;
    } pageCommands[] = {
        {"EDIT:CUT", WebView::Cut},         {"EDIT:COPY", WebView::Copy},
        {"EDIT:PASTE", WebView::Paste},     {"EDIT:DELETE", WebView::Delete},
        {"EDIT:SELECT", WebView::SelectAll}, {"EDIT:PAGESET", WebView::PageSetup},
        {"EDIT:PREVIEW", WebView::PrintPreview}, {"EDIT:PRINT", WebView::Print},
        {"EDIT:PROPERTIES", WebView::Properties},
    };
    for (const auto &page : pageCommands)
        menus.insert(QString::fromLatin1(page.key), [this, command = page.command] { pageCommand(command); });
    const int instances[] = {0, 2, CommandBars::menuInstance};
    for (int i = 0; i < 3; ++i) {
        for (auto command = tables[i].cbegin(); command != tables[i].cend(); ++command)
            dispatcher.setCommand(instances[i], command.key(), command.value());
    }
}
