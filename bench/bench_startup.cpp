// The main window's start against the local test server, phase by phase (the time from the start at
// which each is reached): the window built, Form_Load
// (files read, bars built, captions, history, window placed, first navigation issued), the window
// shown, the first page asked for and its load event; each the median of 7 starts, with the slowest.
// A change that slows one phase shows up in its line.
// Build and run:  cmake --build build --target bench_startup && QT_QPA_PLATFORM=offscreen build/bench/bench_startup
#include "browserfixture.h"
#include "platform/enginesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    TestHttpServer server;
    const std::vector<const char *> phases{"window built", "Form_Load", "window shown", "first page asked",
                                           "first page loaded"};
    std::map<const char *, std::vector<qint64>> times;
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
    std::printf("%-20s %10s %10s\n", "reached (us)", "median", "slowest");
    for (const char *phase : phases) {
        auto &v = times[phase];
        std::sort(v.begin(), v.end());
        std::printf("%-20s %10lld %10lld\n", phase, static_cast<long long>(v[v.size() / 2]),
                    static_cast<long long>(v.back()));
    }
    return 0;
}
