#include "travelengine.h"

#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "core/linebreaks.h"
#include "core/programstate.h"
#include "platform/desktopshell.h"
#include "platform/userdialogs.h"
#include "journeyfiles.h"
#include "travelharvest.h"

#include <QDateTime>
#include <QLabel>
#include <QPointer>
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

void TravelEngine::cancelStep()
{
    m_stepInFlight = false;
    ++m_step;
    harvestTimer.stop();
    m_stepView.clear();
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
    // The page the latest step opened has its title only once it is shown.
    if (const WebView *view = m_tabs.activeView(); view && !view->LocationName().isEmpty())
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
    cancelStep();
    const int count = TravelHarvest::harvest(hrefs, m_state.travelLinks);
    if (count >= 1)
        m_state.travelLinkCount = static_cast<qint16>(count);
    const auto linksUpTo = [this](int last) {
        return QStringList(m_state.travelLinks.begin() + 1, m_state.travelLinks.begin() + 1 + last);
    };
    const QString shown = view ? view->LocationURL() : QString();
    if (view)
        m_pageTitles.insert(Explorer::pageOf(shown), view->LocationName());
    const QString address = m_explorer.choose(shown, linksUpTo(count),
                                              linksUpTo(m_state.travelLinkCount), m_uniform);
    if (address.isEmpty()) {
        // Travel has ended: an empty countdown says so.
        markStop();
        Timer2.stop();
        Timer3.stop();
        m_timeBar->clear();
        emit stepDone(QString());
        return;
    }
    const QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) % u"  " % withoutLineBreaks(address);
    const WriteResult logged = TextFile::appendLine(m_state.appFolder.path(logFileName), line);
    // A run whose log was never emptied (no deferred start-up step) keeps no journey.
    WriteResult kept = WriteResult::success();
    if (!m_journeyPath.isEmpty() && !m_unwrittenStart.isEmpty())
        kept = JourneyFiles::append(m_journeyPath, std::exchange(m_unwrittenStart, {}));
    if (!m_journeyPath.isEmpty() && kept.ok())
        kept = JourneyFiles::append(m_journeyPath, line);
    // The user may have switched tabs during the harvest: the box shows the shown tab only, and
    // text the user is typing there stays.
    if (view && view == m_tabs.activeView())
        m_navigator.showAddress(address);
    if (view)
        view->Navigate(address);
    emit stepDone(address);
    reportLogFailure(logged);
    // Both live in the application folder: a log that cannot be written has told the user already.
    if (logged.ok())
        reportJourneyFailure(kept);
}
