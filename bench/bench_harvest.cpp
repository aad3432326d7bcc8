// Harvest-and-pick time of one travel step on generated pages of 100 to 50,000 links, half of
// them filtered out, and the longest pause of the event loop meanwhile. Steps come 30 seconds or
// more after a page has loaded, so each is timed on a page that has settled; the first column
// times a step taken the moment the page reports itself complete, while the engine still lays
// the page out.
// Build and run:  cmake --build build --target bench_harvest && QT_QPA_PLATFORM=offscreen build/bench/bench_harvest
#include "browserfixture.h"
#include "browsing/tabset.h"
#include "platform/enginesetup.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    TestHttpServer server;
    BrowserFixture browser(server, 1);
    if (!browser.start(server))
        return 1;
    TravelEngine &travel = browser.form->travel();
    travel.setRandomSource([] { return 0.5; });

    std::printf("%8s %16s %18s %12s %16s\n", "links", "at load: med ms", "settled: med ms", "min ms",
                "longest gap ms");
    for (int links : {100, 1000, 10000, 50000}) {
        QStringList hrefs;
        for (int i = 0; i < links; ++i)
            hrefs << (i % 2 ? server.url(QString("/file%1.zip").arg(i)) : server.url(QString("/page%1").arg(i)));
        const QString path = QString("/links%1").arg(links);
        server.setPage(path, pageWithLinks(hrefs));
        std::vector<double> times, atLoad;
        qint64 longestGap = 0;
        for (int run = 0; run < 14; ++run) {
            const bool settled = run % 2;
            WebView *view = browser.form->tabs().activeView();
            if (!navigateAndWait(view, server.url(path)))
                return 2;
            if (settled)
                QTest::qWait(1000);
            QElapsedTimer sinceTick;
            QTimer ticker;
            qint64 gap = 0;
            QObject::connect(&ticker, &QTimer::timeout, [&] {
                gap = std::max(gap, sinceTick.restart());
            });
            QSignalSpy done(&travel, &TravelEngine::stepDone);
            QElapsedTimer clock;
            clock.start();
            sinceTick.start();
            ticker.start(1);
            travel.GO_Travel_Links();
            if (!done.wait(20000))
                return 3;
            (settled ? times : atLoad).push_back(clock.nsecsElapsed() / 1e6);
            ticker.stop();
            longestGap = std::max(longestGap, gap);
        }
        std::sort(times.begin(), times.end());
        std::sort(atLoad.begin(), atLoad.end());
        std::printf("%8d %16.1f %18.1f %12.1f %16lld\n", links, atLoad[atLoad.size() / 2], times[times.size() / 2],
                    times.front(), static_cast<long long>(longestGap));
    }
    return 0;
}
