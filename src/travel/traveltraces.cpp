#include "traveltraces.h"

#include "browsing/siteclearing.h"
#include "browsing/tabset.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "core/programstate.h"
#include "journeyfiles.h"
#include "journeysites.h"
#include "platform/userdialogs.h"
#include "travelengine.h"

#include <QDir>
#include <QFile>

TravelTraces::TravelTraces(ProgramState &state, TravelEngine &travel, TabSet &tabs, UserDialogs &dialogs,
                           Dispatcher &dispatcher, QObject *parent)
    : QObject(parent), m_state(state), m_travel(travel), m_tabs(tabs), m_dialogs(dialogs)
{
    dispatcher.setCommand(CommandBars::menuInstance, clearKey, [this] { clear(); });
    // A step has logged its address and asked for the page; nothing of that page has come yet.
    connect(&m_travel, &TravelEngine::stepDone, this, [this](const QString &opened) {
        if (!opened.isEmpty())
            recordJourneyStart();
    });
}

TravelTraces::~TravelTraces() = default;

void TravelTraces::recordJourneyStart()
{
    const QString journey = m_travel.journeyPath();
    if (journey.isEmpty() || !QFile::exists(journey) || QFile::exists(JourneySites::knownSitesPath(journey)))
        return;
    // Without a record, the journey's sites cannot be told apart later; travel goes on all the same.
    JourneySites::recordKnown(journey, SiteClearing::cookieSites(m_tabs.profile().engineProfile()));
}

void TravelTraces::clear()
{
    if (clearing())
        return m_dialogs.message(m_state.caption(busyCaption, "The clearing is under way; wait until it has ended."));
    const QString last = JourneyFiles::kept(m_state.appFolder).value(0);
    const std::optional<QStringList> known = last.isEmpty() ? std::nullopt : JourneySites::known(last);
    const QString cancel = m_state.caption(cancelCaption);
    const QString everySite = m_state.caption(allSitesCaption, "All sites");
    QString question = m_state.caption(questionCaption, "Clear the cookies, the cache and the site storage that travel "
                                                        "left behind?");
    if (!known) {
        question += u'\n' + m_state.caption(unrecordedCaption, "The last journey did not record the sites known before "
                                                               "it: only all sites can be cleared.");
        if (m_dialogs.choose(question, {everySite, cancel}) == 0)
            clearEverySite();
        return;
    }
    const QStringList addresses = JourneyFiles::addressesOf(TextFile::readLines(last).value_or(QStringList()));
    const QStringList fresh = JourneySites::newSites(JourneySites::hostsOf(addresses), *known);
    const QString newSites = m_state.caption(newSitesCaption, "Only the sites new to the last journey:") % u' '
                             % QString::number(fresh.size());
    switch (m_dialogs.choose(question, {newSites, everySite, cancel})) {
    case 0:
        return clearJourneySites(addresses, fresh, *known);
    case 1:
        return clearEverySite();
    default:
        return;
    }
}

SiteClearing &TravelTraces::startClearing()
{
    m_clearing = std::make_unique<SiteClearing>(m_tabs.profile().engineProfile());
    return *m_clearing;
}

void TravelTraces::clearJourneySites(const QStringList &addresses, const QStringList &fresh, const QStringList &known)
{
    SiteClearing &clearing = startClearing();
    clearing.removeCookies(fresh, known);
    QString message = m_state.caption(journeyClearedCaption, "Cookies and site storage cleared for this many sites:")
                      % u' ' % QString::number(fresh.size()) % u'\n'
                      % m_state.caption(wholeCacheCaption, "The cache of every site is emptied when TamzoTravel next "
                                                           "starts: the web engine empties it only as a whole.");
    if (!m_tabs.profile().removeAtNextStart(WebProfile::Removal::Cache))
        message += u'\n' + unmarked();
    clearing.clearStorage(JourneySites::originsOf(addresses, fresh), [this, message] { finish(message); });
}

void TravelTraces::clearEverySite()
{
    SiteClearing &clearing = startClearing();
    const qsizetype sites = SiteClearing::cookieSites(m_tabs.profile().engineProfile()).size();
    clearing.removeAllCookies();
    QString message = m_state.caption(allClearedCaption, "Every cookie was cleared; the cache and the site storage of "
                                                         "every site go when TamzoTravel next starts. Sites whose "
                                                         "cookies were cleared:")
                      % u' ' % QString::number(sites);
    if (!m_tabs.profile().removeAtNextStart(WebProfile::Removal::CacheAndStorage))
        message += u'\n' + unmarked();
    finish(message);
}

QString TravelTraces::unmarked() const
{
    return m_state.caption(unmarkedCaption, "What goes at the next start could not be marked in the web engine's "
                                            "folder:")
           % u'\n' % QDir::toNativeSeparators(m_state.appFolder.path(TabSet::profileFolder));
}

void TravelTraces::finish(const QString &message)
{
    // The clearing's own callback may be running: it goes once the event loop is back.
    if (m_clearing)
        m_clearing.release()->deleteLater();
    m_dialogs.message(message);
}
