// The main window's start against the local test server. First each step of Form_Load with the
// time it took (files read, bars built, captions, history, window placed, first address opened);
// then the phases of the whole start, each with the time from the start at which it is reached:
// the window built, Form_Load, the window shown, the first page asked for and its load event.
// Each figure is the median of 7 starts, with the slowest. A change that slows one step or phase
// shows up in its line.
// Build and run:  cmake --build build --target bench_startup && QT_QPA_PLATFORM=offscreen build/bench/bench_startup
#include "browserfixture.h"
#include "platform/enginesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    TestHttpServer server;
    const std::vector<const char *> phases{"window built", "Form_Load", "window shown", "first page asked",
                                           "first page loaded"};
    std::map<const char *, std::vector<qint64>> times;
    std::vector<std::string> steps;
    std::map<std::string, std::vector<qint64>> stepTimes;
    constexpr int starts = 7;
    for (int run = 0; run < starts; ++run) {
        BrowserFixture browser(server);
        QElapsedTimer clock;
        const auto lap = [&](const char *phase) { times[phase].push_back(clock.nsecsElapsed() / 1000); };
        bool asked = false;
        QObject::connect(&server, &TestHttpServer::requested, &app, [&](const QString &path) {
            if (path == "/start" && !asked) {
                asked = true;
                lap("first page asked");
            }
        });
        clock.start();
        browser.form = std::make_unique<frmStart>(*browser.state, browser.dialogs, browser.shell);
        lap("window built");
        qint64 stepStart = clock.nsecsElapsed();
        browser.form->observeSteps([&](const char *step) {
            const qint64 now = clock.nsecsElapsed();
            if (run == 0)
                steps.push_back(step);
            stepTimes[step].push_back((now - std::exchange(stepStart, now)) / 1000);
        });
        QSignalSpy complete(browser.form->tabs().Web(0), &WebView::DocumentComplete);
        if (!browser.form->Form_Load())
            qFatal("Form_Load failed");
        lap("Form_Load");
        browser.form->show();
        if (!QTest::qWaitForWindowExposed(browser.form.get()))
            qFatal("The window was not shown");
        lap("window shown");
        if (!waitUntil([&] { return asked; }))
            qFatal("The first page was not asked for");
        if (!waitUntil([&] { return !complete.isEmpty(); }))
            qFatal("The first page did not load");
        lap("first page loaded");
        QObject::disconnect(&server, &TestHttpServer::requested, &app, nullptr);
    }
    const auto print = [](const char *name, std::vector<qint64> &v) {
        std::sort(v.begin(), v.end());
        std::printf("%-24s %10lld %10lld\n", name, static_cast<long long>(v[v.size() / 2]),
                    static_cast<long long>(v.back()));
    };
    std::printf("%-24s %10s %10s\n", "Form_Load step (us)", "median", "slowest");
    for (const std::string &step : steps)
        print(step.c_str(), stepTimes[step]);
    std::printf("\n%-24s %10s %10s\n", "reached (us)", "median", "slowest");
    for (const char *phase : phases)
        print(phase, times[phase]);
    return 0;
}
