#include "travelengine.h"

#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "core/linebreaks.h"
#include "core/networkreach.h"
#include "core/programstate.h"
#include "platform/desktopshell.h"
#include "platform/userdialogs.h"
#include "journeyfiles.h"
#include "travelharvest.h"

#include <QDateTime>
#include <QHostInfo>
#include <QLabel>
#include <QPointer>
#include <QUrl>
#include <algorithm>
#include <random>

static double clockSeededUniform()
{
    std::mt19937_64 generator(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()) ^
                              static_cast<quint64>(std::random_device{}()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

TravelEngine::TravelEngine(ProgramState &state, TabSet &tabs, Navigator &navigator, QLabel *timeBar,
                           DesktopShell &shell, UserDialogs &dialogs)
    : m_state(state), m_tabs(tabs), m_navigator(navigator), m_timeBar(timeBar), m_shell(shell),
      m_dialogs(dialogs), m_uniform(clockSeededUniform)
{
    connect(&Timer2, &QTimer::timeout, this, &TravelEngine::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &TravelEngine::Timer3_Timer);
    harvestTimer.setSingleShot(true);
    // A coarse timer may end the wait up to 5% early, before the page had its full time.
    harvestTimer.setTimerType(Qt::PreciseTimer);
    harvestTimer.setInterval(harvestLimitMs);
    connect(&harvestTimer, &QTimer::timeout, this, [this] { finishStep({}); });
    resolveTimer.setSingleShot(true);
    resolveTimer.setInterval(resolveLimitMs);
    connect(&resolveTimer, &QTimer::timeout, this, [this] {
        ++m_lookup;
        m_choice.resolvingSpent = true;
        refuse(m_resolving);
    });
    m_nameLookup = [this](const QString &name, Answer answer) {
        QHostInfo::lookupHost(name, this, [answer = std::move(answer)](const QHostInfo &host) {
            answer(host.error() == QHostInfo::NoError ? host.addresses() : QList<QHostAddress>());
        });
    };
}

void TravelEngine::GO_InitTravel()
{
    m_state.travelSeconds = 0;
    m_state.travelTicks = 0;
    Timer2.start(stepIntervalMs);
    Timer3.start(countdownIntervalMs);
}

void TravelEngine::startTravel(qint16 speed)
{
    m_state.travelSpeed = speed;
    const WebView *view = m_tabs.activeView();
    m_explorer.startOn(view->LocationURL());
    markStop();
    m_unwrittenStart = JourneyFiles::startLine(QTime::currentTime(), view->LocationURL(),
                                               view->Busy() ? QString() : view->LocationName());
    m_travelling = true;
    GO_InitTravel();
}

void TravelEngine::stopTravel()
{
    m_state.travelSpeed = 0;
    Timer2.stop();
    markStop();
}

void TravelEngine::markJourney(const QString &line)
{
    if (!m_journeyPath.isEmpty())
        reportJourneyFailure(JourneyFiles::append(m_journeyPath, line));
}

void TravelEngine::markStop()
{
    if (!std::exchange(m_travelling, false) || !std::exchange(m_unwrittenStart, {}).isEmpty())
        return;
    // A page still loading may show the title of the one before.
    const WebView *view = m_tabs.activeView();
    markJourney(JourneyFiles::stopLine(QTime::currentTime(), view ? view->LocationURL() : QString(),
                                       view && !view->Busy() ? view->LocationName() : QString()));
}

void TravelEngine::interrupt()
{
    markStop();
    Timer2.stop();
    Timer3.stop();
    m_timeBar->clear();
    cancelStep();
}

void TravelEngine::endHarvest()
{
    ++m_step;
    harvestTimer.stop();
    m_stepView.clear();
}

// A page already on its way is still counted once it is shown; no other link is drawn for it.
void TravelEngine::cancelStep()
{
    m_stepInFlight = false;
    endHarvest();
    endResolving();
}

void TravelEngine::endResolving()
{
    ++m_lookup;
    resolveTimer.stop();
}

void TravelEngine::showLog() { m_shell.open(m_state.appFolder.path(logFileName)); }

void TravelEngine::emptyLog()
{
    m_journeyPath = JourneyFiles::pathFor(m_state.appFolder, QDateTime::currentDateTime());
    reportLogFailure(TextFile::writeLines(m_state.appFolder.path(logFileName), {}));
}

void TravelEngine::reportLogFailure(const WriteResult &result)
{
    if (result.ok()) {
        m_logFailureReported = false;
        return;
    }
    if (std::exchange(m_logFailureReported, true))
        return;
    m_dialogs.message(m_state.caption(logFailedCaption, "The travel log cannot be written; travel goes on without it:") %
                      u'\n' % result.message());
}

void TravelEngine::reportJourneyFailure(const WriteResult &result)
{
    if (result.ok() || std::exchange(m_journeyFailureReported, true))
        return;
    m_dialogs.message(m_state.caption(journeyFailedCaption, "This journey cannot be kept; travel goes on without it:") %
                      u'\n' % result.message());
}

QHash<QString, QString> TravelEngine::pageTitles() const
{
    QHash<QString, QString> titles = m_pageTitles;
    // The page the latest step opened has its title only once it is shown: while it loads, the
    // engine gives its address as its title.
    if (const WebView *view = m_tabs.activeView(); view && !view->Busy() && !view->LocationName().isEmpty())
        titles.insert(Explorer::pageOf(view->LocationURL()), view->LocationName());
    return titles;
}

void TravelEngine::Timer2_Timer()
{
    ++m_state.travelTicks;
    if (m_state.travelTicks == m_state.travelSpeed) {
        m_state.travelTicks = 0;
        GO_Travel_Links();
    }
}

void TravelEngine::Timer3_Timer()
{
    ++m_state.travelSeconds;
    const int left = m_state.travelSpeed * 30 - m_state.travelSeconds;
    const QString printed = left < 0 ? QString::number(left) : u' ' + QString::number(left);
    m_timeBar->setText(printed.rightJustified(4, u' '));
}

void TravelEngine::GO_Travel_Links()
{
    if (m_stepInFlight)
        return;
    // A link that has not shown its page by the next step never opened.
    stopWatching();
    m_stepInFlight = true;
    m_state.travelSeconds = 0;
    m_stepView = m_tabs.activeView();
    const quint64 step = ++m_step;
    harvestTimer.start();
    m_stepView->readLinks(TravelHarvest::documentFilter(), [this, step](const QStringList &hrefs) {
        if (step == m_step && m_stepInFlight)
            finishStep(hrefs);
    });
}

void TravelEngine::finishStep(const QStringList &hrefs)
{
    const QPointer<WebView> view = m_stepView;
    endHarvest();
    const QString shown = view ? view->LocationURL() : QString();
    // A public page's links into the local network are none of its links.
    QStringList reachable;
    std::copy_if(hrefs.begin(), hrefs.end(), std::back_inserter(reachable),
                 [&](const QString &href) { return NetworkReach::mayLead(QUrl(shown), QUrl(href)); });
    const int count = TravelHarvest::harvest(reachable, m_state.travelLinks);
    if (count >= 1)
        m_state.travelLinkCount = static_cast<qint16>(count);
    const auto linksUpTo = [this](int last) {
        return QStringList(m_state.travelLinks.begin() + 1, m_state.travelLinks.begin() + 1 + last);
    };
    if (view)
        m_pageTitles.insert(Explorer::pageOf(shown), view->LocationName());
    m_choice = Choice{view, shown, linksUpTo(count), linksUpTo(m_state.travelLinkCount), {}};
    chooseAndOpen();
}

void TravelEngine::chooseAndOpen()
{
    const QUrl shown(m_choice.shown);
    const auto stillOpen = [&](const QStringList &links) {
        QStringList open;
        std::copy_if(links.begin(), links.end(), std::back_inserter(open), [&](const QString &link) {
            return !m_choice.refused.contains(link) && NetworkReach::mayLead(shown, QUrl(link));
        });
        return open;
    };
    for (;;) {
        const QString address = m_explorer.choose(m_choice.shown, stillOpen(m_choice.pageLinks),
                                                  stillOpen(m_choice.earlierLinks), m_uniform);
        if (address.isEmpty() || m_choice.refused.contains(address) || !m_choice.view)
            return endTravel();
        // The journey's earlier pages may offer what this page may not lead to; once the step's
        // time for names is spent, a name leads nowhere.
        const bool named = NetworkReach::needsResolving(shown, QUrl(address));
        if (!NetworkReach::mayLead(shown, QUrl(address)) || (named && m_choice.resolvingSpent)) {
            m_choice.refused.insert(address);
            continue;
        }
        return named ? resolve(address) : open(address);
    }
}

// Every address of the name must be public, and a name that cannot be resolved leads nowhere; the
// window goes on while the name is looked up.
void TravelEngine::resolve(const QString &address)
{
    const quint64 lookup = ++m_lookup;
    m_resolving = address;
    if (!resolveTimer.isActive())
        resolveTimer.start();
    m_nameLookup(QUrl(address).host(), [this, lookup, address](const QList<QHostAddress> &addresses) {
        if (lookup != m_lookup)
            return;
        ++m_lookup;
        if (!addresses.isEmpty() && std::none_of(addresses.begin(), addresses.end(), &NetworkReach::isLocalAddress))
            return open(address);
        refuse(address);
    });
}

void TravelEngine::refuse(const QString &address)
{
    m_choice.refused.insert(address);
    chooseAndOpen();
}

void TravelEngine::open(const QString &address)
{
    endResolving();
    m_stepInFlight = false;
    WebView *view = m_choice.view;
    // The view tells of its latest navigation only: another one opened since is not this step's.
    const QString requested = QUrl(address, QUrl::TolerantMode).toString();
    const quint64 step = m_step;
    m_watch = {connect(view, &WebView::NavigationShown, this,
                       [this, address, requested](const QString &shown) {
                           stopWatching();
                           if (shown == requested)
                               recordOpened(address);
                       }),
               connect(view, &WebView::NavigationNotShown, this, [this, address, requested, step](const QString &gone) {
                   stopWatching();
                   if (gone != requested || step != m_step)
                       return;
                   m_stepInFlight = true;
                   refuse(address);
               })};
    // The user may have switched tabs during the harvest: the box shows the shown tab only, and
    // text the user is typing there stays.
    if (view == m_tabs.activeView())
        m_navigator.showAddress(address);
    view->Navigate(address);
}

void TravelEngine::stopWatching()
{
    for (const QMetaObject::Connection &connection : std::exchange(m_watch, {}))
        disconnect(connection);
}

void TravelEngine::recordOpened(const QString &address)
{
    const QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) % u"  " % withoutLineBreaks(address);
    const WriteResult logged = TextFile::appendLine(m_state.appFolder.path(logFileName), line);
    // A run whose log was never emptied (no deferred start-up step) keeps no journey.
    WriteResult kept = WriteResult::success();
    if (!m_journeyPath.isEmpty() && !m_unwrittenStart.isEmpty())
        kept = JourneyFiles::append(m_journeyPath, std::exchange(m_unwrittenStart, {}));
    if (!m_journeyPath.isEmpty() && kept.ok())
        kept = JourneyFiles::append(m_journeyPath, line);
    emit stepDone(address);
    reportLogFailure(logged);
    // Both live in the application folder: a log that cannot be written has told the user already.
    if (logged.ok())
        reportJourneyFailure(kept);
}

// Travel has ended: an empty countdown says so.
void TravelEngine::endTravel()
{
    markStop();
    endResolving();
    m_stepInFlight = false;
    Timer2.stop();
    Timer3.stop();
    m_timeBar->clear();
    emit stepDone(QString());
}
