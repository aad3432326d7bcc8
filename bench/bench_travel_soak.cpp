// 500 travel steps over a generated local site of 3,000 interlinked pages, the step timer's slot
// called directly: steps per second, the peak memory of the whole process tree, and a check that
// every logged address was opened and every opened address was logged.
// Build and run:  cmake --build build --target bench_travel_soak && QT_QPA_PLATFORM=offscreen build/bench/bench_travel_soak
#include "browserfixture.h"
#include "browsing/tabset.h"
#include "platform/enginesetup.h"
#include "processtree.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cstdio>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    constexpr int pages = 3000, linksPerPage = 20, steps = 500;
    TestHttpServer server;
    QRandomGenerator site(2026);
    for (int page = 0; page < pages; ++page) {
        QStringList hrefs;
        for (int i = 0; i < linksPerPage; ++i)
            hrefs << server.url(QString("/site/%1").arg(site.bounded(pages)));
        server.setPage(QString("/site/%1").arg(page), pageWithLinks(hrefs));
    }
    BrowserFixture browser(server, 1);
    if (!browser.start(server))
        return 1;
    browser.form->Timer4_Timer();
    WebView *view = browser.form->tabs().activeView();
    if (!navigateAndWait(view, server.url("/site/0")))
        return 2;

    TravelEngine &travel = browser.form->travel();
    QStringList opened;
    QObject::connect(&travel, &TravelEngine::stepDone, [&](const QString &address) { opened << address; });
    travel.startTravel(1);
    qint64 peakKiB = 0;
    QElapsedTimer clock;
    clock.start();
    for (int step = 0; step < steps; ++step) {
        QSignalSpy loaded(view, &WebView::DocumentComplete);
        travel.Timer2_Timer();
        if (!QTest::qWaitFor([&] { return opened.size() > step; }, 20000) || opened.last().isEmpty())
            return 3;
        loaded.wait(20000);
        if (step % 25 == 0)
            peakKiB = std::max(peakKiB, ProcessTree::residentKiB());
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    peakKiB = std::max(peakKiB, ProcessTree::residentKiB());

    QStringList logged;
    for (const QString &line : browser.folder.readLines("TravelLog.txt"))
        logged << line.section("  ", 1);
    int notRequested = 0;
    for (const QString &address : opened) {
        if (!server.requests().contains(QUrl(address).path()))
            ++notRequested;
    }
    std::printf("steps: %d in %.1f s, %.1f steps per second\n", steps, seconds, steps / seconds);
    std::printf("peak resident memory of the process tree: %.1f MiB\n", peakKiB / 1024.0);
    std::printf("logged addresses equal opened addresses: %s\n", logged == opened ? "yes" : "NO");
    std::printf("opened addresses the server never saw: %d\n", notRequested);
    return logged == opened && notRequested == 0 ? 0 : 4;
}
