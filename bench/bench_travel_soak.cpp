// Travel steps (1,000 unless --steps gives another number), the step timer's slot called directly,
// over a generated local site of interlinked pages (3,000 unless --pages gives another number) or, given a folder (and the first page in
// it, index.html unless given), over a real site served from it. bench/setup-soak-site installs one
// and prints its folder and first page: the C++ library's documentation as Debian ships it, about
// 3,900 pages, entered at its reference. Prints steps per second, the share of steps that reached a
// page new to the journey ("new pages: P% of N steps") and the memory of the whole process tree:
// its growth from the first steps (the mean of the first and of the last 200 samples, or fifth of
// the steps when fewer) and whether it has levelled off (the mean of the last fifth of the steps'
// samples within 5% of the fifth before it: over 5,000 steps, the last 1,000 against the 1,000
// before them). It checks that memory has levelled off and that every logged address was opened
// and every opened address was logged. For each fifth of the steps it also prints the memory of the
// browser process alone (the bench runs it in-process; the rest of the tree is the engine's
// renderers), its heap as the C library counts it at the fifth's end (in use, and held from the
// system), and the pages and arrows of the journey window's picture.
// Every 500 steps it prints the tree's memory and the longest waits so far (below), so that a run
// stopped early still tells them.
// The walk: --explore turns on "skip places on the same page" and "prefer new pages"; --options
// ABCD gives all four explorer options as 1 or 0 in the TRAVEL menu's order (skip places, prefer
// new, stay on site, jump back); without either, the plain random walk. --trace FILE writes one
// line a step: the page shown, how many links it offered and how many of them lead to pages new to
// the journey, the address chosen, whether it is a link of the page shown, and whether it is new.
// The journey window is open while travel runs (unless --no-window): the bench prints the longest
// time the program did not return to its event loop (and the longest a step's own start took, from
// its timer to the engine asked for the page), the longest the window held up a step
// (reading what the journey gained and drawing it) and the longest from a step until the picture
// showed it. --relayouts N then lays this run's journey out N times more through the window, as a
// step does, printing the memory along the way and after asking the C library to give its free
// memory back (malloc_trim); closing the window, it prints the heap the picture gave back and how
// long closing took. Then it opens the window again on this run's journey and prints how long
// until it showed every step and until Graphviz had laid it out, and how long closing it takes
// while a layout runs. Last, it opens the journey window on a kept 1,000-step journey and prints
// how long that took.
// Build and run:
//   cmake --build build --target bench_travel_soak
//   QT_QPA_PLATFORM=offscreen build/bench/bench_travel_soak [--explore] [--steps N]              (generated)
//   QT_QPA_PLATFORM=offscreen build/bench/bench_travel_soak --steps 5000 $(bench/setup-soak-site) (the long soak)
//   QT_QPA_PLATFORM=offscreen build/bench/bench_travel_soak [--explore] $(bench/setup-soak-site)  (real site)
//   QT_QPA_PLATFORM=offscreen build/bench/bench_travel_soak --explore --pages 300 --steps 4000 --relayouts 100
//     (a journey that keeps coming back to the pages it knows: the picture's arrows grow, its pages do not)
// A real site also links to other hosts. Travel walks the site itself: its pages are served with
// the links to other hosts taken out (their text stays). And nothing leaves the machine anyway: as
// in the tests, the engine sends every address but the loopback ones to a proxy on a local port
// where nothing listens; a step that still went elsewhere is counted and shown.
#include "browserfixture.h"
#include "browsing/tabset.h"
#include "platform/enginesetup.h"
#include "processtree.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "travel/frmjourney.h"
#include "travel/journeycommands.h"
#include "travel/journeyfiles.h"
#include "travel/travelengine.h"
#include "travel/travelharvest.h"
#include "webwait.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <numeric>
#include <optional>

namespace {

constexpr int stepWaitMs = 30000, journeySteps = 1000;
int steps = 1000, window = 200, generatedPages = 3000;

// The memory at one moment: the process tree, this process alone, and this process's heap as the
// C library counts it: allocated (large mapped blocks included), held from the system, and in how
// many arenas (the C library gives threads arenas of their own, which keep what is freed in them).
struct Memory
{
    qint64 treeKiB = 0, ownKiB = 0, heapUsedKiB = 0, heapHeldKiB = 0;
    int arenas = 0;

    static Memory now()
    {
        const struct mallinfo2 heap = mallinfo2();
        return {ProcessTree::residentKiB(), ProcessTree::ownResidentKiB(), qint64((heap.uordblks + heap.hblkhd) / 1024),
                qint64((heap.arena + heap.hblkhd) / 1024), arenaCount()};
    }
    static int arenaCount()
    {
        char *text = nullptr;
        size_t size = 0;
        FILE *report = open_memstream(&text, &size);
        malloc_info(0, report);
        std::fclose(report);
        const int count = int(QByteArray(text, qsizetype(size)).count("<heap nr="));
        std::free(text);
        return count;
    }
    void print(const QString &when) const
    {
        std::printf("%s: tree %.1f MiB, browser process %.1f MiB, its heap in use %.1f MiB of %.1f MiB held in %d arenas\n",
                    qPrintable(when), treeKiB / 1024.0, ownKiB / 1024.0, heapUsedKiB / 1024.0, heapHeldKiB / 1024.0,
                    arenas);
    }
};

// The first page of a site of generated pages, each with 20 links to random others.
QString generateSite(TestHttpServer &server)
{
    const int pages = generatedPages, linksPerPage = 20;
    QRandomGenerator site(2026);
    for (int page = 0; page < pages; ++page) {
        QStringList hrefs;
        for (int i = 0; i < linksPerPage; ++i)
            hrefs << server.url(QString("/site/%1").arg(site.bounded(pages)));
        server.setPage(QString("/site/%1").arg(page), pageWithLinks(hrefs));
    }
    return server.url("/site/0");
}

double meanMiB(const QList<qint64> &samples, qsizetype from, qsizetype count)
{
    return std::accumulate(samples.begin() + from, samples.begin() + from + count, 0.0) / count / 1024;
}

QString withoutFragment(const QString &address) { return address.section(u'#', 0, 0); }

// The page with its links to other hosts made plain text. Bytes pass through as Latin-1, unchanged.
QByteArray siteLinksOnly(const QByteArray &html)
{
    static const QRegularExpression outside(R"(\shref\s*=\s*(["'])\s*(https?:)?//(?!127\.0\.0\.1[:/])[^"']*\1)",
                                            QRegularExpression::CaseInsensitiveOption);
    return QString::fromLatin1(html).remove(outside).toLatin1();
}

void closeWindow(frmJourney *window)
{
    QPointer<frmJourney> closing = window;
    closing->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (closing)
        std::printf("the journey window was not deleted when closed\n");
}

// Opens the journey window on a kept journey of 1,000 steps among 3,000 pages; the seconds it took.
double openLongJourney(BrowserFixture &browser, TestHttpServer &server)
{
    QStringList lines;
    QRandomGenerator walk(7);
    for (int i = 0; i < journeySteps; ++i)
        lines << "10:00:00  " + server.url(QString("/journey/%1.html").arg(walk.bounded(3000)));
    browser.folder.write("Journeys/Journey 2000-01-01 00-00-00.txt", lines);
    // The window open while travel ran is closed first, so that it opens anew on the kept journeys.
    if (frmJourney *open = browser.form->findChild<frmJourney *>())
        closeWindow(open);
    QElapsedTimer clock;
    clock.start();
    browser.form->dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, JourneyCommands::showKey);
    auto *window = browser.form->findChild<frmJourney *>();
    const int kept = window->journeyList->count() - 1;
    window->journeyList->setCurrentIndex(kept);
    emit window->journeyList->activated(kept);
    QCoreApplication::processEvents();
    const double shownMs = clock.nsecsElapsed() / 1e6;
    waitUntil([window] { return !window->layingOut(); }, stepWaitMs);
    QCoreApplication::processEvents();
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("journey window on a kept journey of %d steps: %zu pages, shown in %.0f ms, laid out in %.2f s\n",
                journeySteps, window->graph().nodes.size(), shownMs, seconds);
    return seconds;
}

// Lays the journey the window shows out again, as a step does, and prints the memory along the way.
void layOutAgain(frmJourney *journey, int times)
{
    Memory::now().print(QStringLiteral("before %1 more layouts of this journey").arg(times));
    for (int i = 1; i <= times; ++i) {
        emit journey->journeyList->activated(0);
        waitUntil([journey] { return !journey->layingOut(); }, stepWaitMs);
        if (i % std::max(1, times / 5) == 0)
            Memory::now().print(QStringLiteral("after %1").arg(i));
    }
    // What the C library would give back to the system if the window asked it to after a layout.
    malloc_trim(0);
    Memory::now().print(QStringLiteral("after malloc_trim(0)"));
}

// Closes the journey window and prints the heap it gave back: what the picture cost.
void closeAndWeigh(frmJourney *journey)
{
    const size_t pages = journey->graph().nodes.size(), arrows = journey->graph().arrows.size();
    const Memory open = Memory::now();
    QElapsedTimer clock;
    clock.start();
    closeWindow(journey);
    const double closingMs = clock.nsecsElapsed() / 1e6;
    const Memory closed = Memory::now();
    std::printf("closing the journey window (%zu pages, %zu arrows) took %.0f ms and gave back %.1f MiB of heap in "
                "use (%.1f KiB a page or arrow); the browser process went from %.1f to %.1f MiB\n",
                pages, arrows, closingMs, (open.heapUsedKiB - closed.heapUsedKiB) / 1024.0,
                double(open.heapUsedKiB - closed.heapUsedKiB) / std::max<size_t>(1, pages + arrows),
                open.ownKiB / 1024.0, closed.ownKiB / 1024.0);
}

// Opens the journey window anew on this run's journey: how long until it showed every step and
// until Graphviz laid it out; then again, closed while Graphviz lays it out.
void reopenAndClose(BrowserFixture &browser, int steps)
{
    for (const bool waitForLayout : {true, false}) {
        QElapsedTimer clock;
        clock.start();
        browser.form->dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, JourneyCommands::showKey);
        auto *window = browser.form->findChild<frmJourney *>();
        if (!QTest::qWaitForWindowExposed(window))
            std::printf("the journey window was not shown\n");
        waitUntil([window, steps] { return window->shownSteps() >= steps; }, stepWaitMs);
        QCoreApplication::processEvents();
        const double shownMs = clock.nsecsElapsed() / 1e6;
        const bool laying = window->layingOut();
        if (waitForLayout) {
            waitUntil([window] { return !window->layingOut(); }, 600000);
            std::printf("journey window opened again on %d steps: shown (%zu pages, %zu arrows) in %.0f ms, laid out "
                        "in %.1f s\n",
                        window->shownSteps(), window->graph().nodes.size(), window->graph().arrows.size(), shownMs,
                        clock.nsecsElapsed() / 1e9);
        }
        clock.restart();
        closeWindow(window);
        if (!waitForLayout)
            std::printf("opened once more, shown in %.0f ms and closed %s its layout in %.0f ms\n", shownMs,
                        laying ? "during" : "after", clock.nsecsElapsed() / 1e6);
    }
}

// The longest the program stayed away from its event loop: the most a 5 ms timer waited past
// its time, since the last restart().
class StallProbe
{
public:
    StallProbe()
    {
        m_tick.setInterval(5);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            m_longestMs = std::max(m_longestMs, m_since.nsecsElapsed() / 1e6 - m_tick.interval());
            m_since.restart();
        });
        m_since.start();
        m_tick.start();
    }
    // The bench's own work between steps is not the program's.
    void restart() { m_since.restart(); }
    double longestMs() const { return m_longestMs; }

private:
    QTimer m_tick;
    QElapsedTimer m_since;
    double m_longestMs = 0;
};

// The links the page shown offers, read as travel reads them.
QStringList offeredLinks(WebView *view)
{
    auto read = std::make_shared<std::optional<QStringList>>();
    view->readLinks(TravelHarvest::documentFilter(), [read](const QStringList &hrefs) { *read = hrefs; });
    waitUntil([&] { return read->has_value(); }, stepWaitMs);
    return read->value_or(QStringList());
}

ExplorerOptions optionsFrom(const QString &digits)
{
    ExplorerOptions options;
    for (size_t i = 0; i < explorerFlags.size() && i < size_t(digits.size()); ++i)
        options.*explorerFlags[i] = digits[i] == u'1';
    return options;
}

QString describe(const ExplorerOptions &options)
{
    static const char *names[] = {"skip places on the same page", "prefer new pages", "stay on this site",
                                  "at a dead end, jump back"};
    QStringList on;
    for (size_t i = 0; i < explorerFlags.size(); ++i) {
        if (options.*explorerFlags[i])
            on << names[i];
    }
    return on.isEmpty() ? QStringLiteral("plain random walk") : on.join(", ");
}

} // namespace

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --proxy-server=127.0.0.1:9"));
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    QStringList arguments = app.arguments().mid(1);
    const auto valueOf = [&arguments](const QString &name) {
        const qsizetype at = arguments.indexOf(name);
        if (at < 0 || at + 1 >= arguments.size())
            return QString();
        const QString value = arguments[at + 1];
        arguments.remove(at, 2);
        return value;
    };
    ExplorerOptions options = optionsFrom(arguments.removeAll("--explore") > 0 ? "11" : valueOf("--options"));
    const bool withWindow = arguments.removeAll("--no-window") == 0;
    if (const QString value = valueOf("--steps"); !value.isEmpty())
        steps = std::max(10, value.toInt());
    if (const QString value = valueOf("--pages"); !value.isEmpty())
        generatedPages = std::max(2, value.toInt());
    const int relayouts = withWindow ? valueOf("--relayouts").toInt() : 0;
    std::unique_ptr<FILE, int (*)(FILE *)> trace(nullptr, std::fclose);
    if (const QString path = valueOf("--trace"); !path.isEmpty())
        trace.reset(std::fopen(qPrintable(path), "w"));
    window = std::min(200, steps / 5);
    TestHttpServer server;
    QString first;
    if (!arguments.isEmpty()) {
        server.setFolder("/", arguments[0], siteLinksOnly);
        first = server.url(u'/' + (arguments.size() > 1 ? arguments[1] : QStringLiteral("index.html")));
    } else {
        first = generateSite(server);
    }
    BrowserFixture browser(server, 1);
    if (!browser.start(server))
        return 1;
    browser.form->Timer4_Timer();
    WebView *view = browser.form->tabs().activeView();
    if (!navigateAndWait(view, first))
        return 2;

    TravelEngine &travel = browser.form->travel();
    travel.explorer().setOptions(options);
    // Opening the window is a command, and every command stops travel: it opens first.
    QElapsedTimer redrawClock;
    double longestRedrawMs = 0, longestFollowMs = 0;
    int stepsDone = 0;
    bool followed = true;
    if (withWindow) {
        QObject::connect(&travel, &TravelEngine::stepDone, [&] {
            redrawClock.start();
            ++stepsDone;
            followed = false;
        });
        browser.form->dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, JourneyCommands::showKey);
        QObject::connect(&travel, &TravelEngine::stepDone,
                         [&] { longestRedrawMs = std::max(longestRedrawMs, redrawClock.nsecsElapsed() / 1e6); });
        QObject::connect(browser.form->findChild<frmJourney *>(), &frmJourney::pictureChanged, [&](int shown) {
            if (!followed && shown >= stepsDone) {
                followed = true;
                longestFollowMs = std::max(longestFollowMs, redrawClock.nsecsElapsed() / 1e6);
            }
        });
    }
    QSet<QString> journeyPages = {Explorer::pageOf(view->LocationURL())};
    int newPages = 0;
    QStringList opened;
    QObject::connect(&travel, &TravelEngine::stepDone, [&](const QString &address) { opened << address; });
    travel.startTravel(1);
    // The steps come from this loop, not from the 30-second clock.
    travel.Timer2.stop();
    travel.Timer3.stop();
    QList<qint64> memoryKiB, ownKiB;
    struct FifthEnd
    {
        Memory memory;
        size_t pages = 0, arrows = 0;
    };
    QList<FifthEnd> fifthEnds;
    QStringList unshown;
    int outside = 0, withinPage = 0;
    QElapsedTimer clock;
    clock.start();
    StallProbe stalls;
    double longestStepStartMs = 0;
    for (int step = 0; step < steps; ++step) {
        QSignalSpy complete(view, &WebView::DocumentComplete);
        const QString before = view->LocationURL();
        const QStringList offered = trace ? offeredLinks(view) : QStringList();
        stalls.restart();
        QElapsedTimer stepStart;
        stepStart.start();
        travel.Timer2_Timer();
        longestStepStartMs = std::max(longestStepStartMs, stepStart.nsecsElapsed() / 1e6);
        if (!waitUntil([&] { return opened.size() > step; }, stepWaitMs) || opened.last().isEmpty()) {
            std::printf("travel stopped at step %d\n", step + 1);
            return 3;
        }
        const QString address = opened.last();
        const bool isNew = !journeyPages.contains(Explorer::pageOf(address));
        if (trace) {
            const auto leadsOn = [&](const QString &link) {
                return !journeyPages.contains(Explorer::pageOf(link)) && Explorer::pageOf(link) != Explorer::pageOf(before);
            };
            std::fprintf(trace.get(), "%d\t%s\t%lld links\t%lld to new pages\t-> %s\t%s\t%s\n", step + 1,
                         qPrintable(before), static_cast<long long>(offered.size()),
                         static_cast<long long>(std::count_if(offered.begin(), offered.end(), leadsOn)),
                         qPrintable(address), offered.contains(address) ? "on the page" : "not on the page",
                         isNew ? "new" : "seen before");
        }
        if (isNew) {
            journeyPages.insert(Explorer::pageOf(address));
            ++newPages;
        }
        if (QUrl(address).host() != u"127.0.0.1")
            ++outside;
        // A link to another place of the same page moves within the document and loads nothing.
        const bool samePage = withoutFragment(address) == withoutFragment(before) && address.contains(u'#');
        withinPage += samePage;
        const bool shown = waitUntil(
            [&] {
                if (samePage)
                    return QUrl(view->LocationURL()) == QUrl(address) && !view->Busy();
                // The engine reports the address in its own spelling ("#a b" for "#a%20b").
                return std::any_of(complete.begin(), complete.end(), [&](const QList<QVariant> &event) {
                    return QUrl(event.value(0).toString()) == QUrl(address);
                });
            },
            stepWaitMs);
        if (!shown)
            unshown << address;
        memoryKiB << ProcessTree::residentKiB();
        ownKiB << ProcessTree::ownResidentKiB();
        if ((step + 1) % (steps / 5) == 0) {
            const frmJourney *journey = browser.form->findChild<frmJourney *>();
            fifthEnds.append({Memory::now(), journey ? journey->graph().nodes.size() : 0,
                              journey ? journey->graph().arrows.size() : 0});
        }
        if ((step + 1) % 500 == 0)
            std::printf("step %d: %.1f MiB; so far longest away from the event loop %.0f ms, held up a step %.0f ms, "
                        "until the picture showed a step %.0f ms\n",
                        step + 1, memoryKiB.last() / 1024.0, stalls.longestMs(), longestRedrawMs, longestFollowMs);
        stalls.restart();
    }
    const double seconds = clock.nsecsElapsed() / 1e9;

    QStringList logged;
    for (const QString &line : browser.folder.readLines("TravelLog.txt"))
        logged << line.section("  ", 1);
    int notRequested = 0;
    QSet<QString> sitePages;
    for (const QString &address : opened) {
        if (QUrl(address).host() != u"127.0.0.1")
            continue;
        sitePages.insert(QUrl(address).path());
        if (!server.requests().contains(QUrl(address).path()))
            ++notRequested;
    }
    const double firstMiB = meanMiB(memoryKiB, 0, window), lastMiB = meanMiB(memoryKiB, steps - window, window);
    const int fifth = steps / 5;
    const double beforeLastMiB = meanMiB(memoryKiB, steps - 2 * fifth, fifth);
    const double lastFifthMiB = meanMiB(memoryKiB, steps - fifth, fifth);
    const bool flat = std::abs(lastFifthMiB - beforeLastMiB) <= 0.05 * beforeLastMiB;
    std::printf("walk: %s\n", qPrintable(describe(options)));
    std::printf("steps: %d in %.1f s, %.2f steps per second\n", steps, seconds, steps / seconds);
    std::printf("new pages: %.1f%% of %d steps\n", 100.0 * newPages / steps, steps);
    std::printf("steps on the site: %d, to %lld distinct pages, %d of them to another place of the page shown; "
                "steps to other hosts (refused by the dead proxy): %d\n",
                steps - outside, static_cast<long long>(sitePages.size()), withinPage, outside);
    std::printf("process tree memory, mean of the first %d steps: %.1f MiB, of the last %d: %.1f MiB (%+.1f%%)\n",
                window, firstMiB, window, lastMiB, 100 * (lastMiB / firstMiB - 1));
    std::printf("mean of each fifth of the steps:");
    for (int from = 0; from + fifth <= steps; from += fifth)
        std::printf(" %.1f", meanMiB(memoryKiB, from, fifth));
    std::printf(" MiB\n");
    std::printf("mean of steps %d-%d: %.1f MiB, of the last %d (%d-%d): %.1f MiB (%+.1f%%, at most 5%%): %s\n",
                steps - 2 * fifth + 1, steps - fifth, beforeLastMiB, fifth, steps - fifth + 1, steps, lastFifthMiB,
                100 * (lastFifthMiB / beforeLastMiB - 1), flat ? "levelled off" : "STILL GROWING");
    for (int i = 0; i < fifthEnds.size(); ++i) {
        const FifthEnd &end = fifthEnds[i];
        std::printf("fifth %d: browser process %.1f MiB (mean); at its end heap in use %.1f MiB of %.1f MiB held "
                    "in %d arenas, picture of %zu pages and %zu arrows\n",
                    i + 1, meanMiB(ownKiB, i * fifth, fifth), end.memory.heapUsedKiB / 1024.0,
                    end.memory.heapHeldKiB / 1024.0, end.memory.arenas, end.pages, end.arrows);
    }
    std::printf("peak: %.1f MiB\n", *std::max_element(memoryKiB.begin(), memoryKiB.end()) / 1024.0);
    std::printf("logged addresses equal opened addresses: %s (%lld lines)\n", logged == opened ? "yes" : "NO",
                static_cast<long long>(logged.size()));
    std::printf("opened addresses the view never showed: %lld; local ones the server never saw: %d\n",
                static_cast<long long>(unshown.size()), notRequested);
    for (const QString &address : unshown.mid(0, 10))
        std::printf("  not shown: %s\n", qPrintable(address));
    std::printf("longest time away from the event loop while travel ran: %.0f ms (the step's own start, up to "
                "asking the engine for the page: at most %.0f ms)",
                stalls.longestMs(), longestStepStartMs);
    if (withWindow)
        std::printf("; longest the journey window held up a step: %.0f ms; longest until the picture showed a step: "
                    "%.0f ms%s", longestRedrawMs, longestFollowMs, followed ? "" : " (the last step NOT shown)");
    std::printf("\n");
    if (withWindow) {
        frmJourney *journey = browser.form->findChild<frmJourney *>();
        waitUntil([journey] { return !journey->layingOut(); }, 600000);
        if (relayouts > 0)
            layOutAgain(journey, relayouts);
        closeAndWeigh(journey);
        reopenAndClose(browser, steps);
    }
    openLongJourney(browser, server);
    return logged == opened && unshown.isEmpty() && notRequested == 0 && flat ? 0 : 4;
}
