// Word export of a 200 KB page through the real LibreOffice: the first export of a run (the
// office starts cold) and the later ones, from the menu command to the "saved" message; and how
// long a screen capture ("EDIT:PICTURE") keeps the user waiting. Targets: first <= 6 s, later
// <= 0.4 s, capture <= 0.5 s.
// Build and run:  cmake --build build --target bench_export && QT_QPA_PLATFORM=offscreen build/bench/bench_export
#include "exportfixture.h"
#include "export/pagecopy.h"
#include "platform/enginesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    TestHttpServer server;
    const qsizetype pageBytes = ExportPage::serve(server, "/big", 1850);
    BrowserFixture browser(server, 1);
    for (const char *name : {"template.doc", "templateh.doc"})
        QFile::copy(QStringLiteral(TAMZO_SOURCE_DIR "/install/") + name, browser.folder.path(QStringLiteral("Data/") + name));
    if (!browser.start(server))
        return 1;
    WebView *view = browser.form->tabs().activeView();
    if (!navigateAndWait(view, server.url("/big")))
        return 1;
    browser.form->Timer4_Timer();
    QTemporaryDir out;
    Exports &exports = browser.form->exports();

    const auto timed = [&](const QString &key, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        browser.form->dispatcher().cmdBar_ButtonClick(3, key);
        if (!QTest::qWaitFor([&] { return !exports.running(); }, timeoutMs))
            return -1.0;
        return clock.nsecsElapsed() / 1e6;
    };

    std::printf("page: %lld KB\n", static_cast<long long>(pageBytes / 1024));
    // The program's own share of an export: the page's body and pictures read from the engine.
    PageCopy copy;
    for (int run = 1; run <= 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        PageCopy::Copied copied;
        bool done = false;
        copy.run(view, [&](const PageCopy::Copied &result) {
            copied = result;
            done = true;
        });
        (void)QTest::qWaitFor([&] { return done; }, 20000);
        std::printf("page copy %d:   %8.0f ms  %lld KB of text, %lld pictures\n", run, clock.nsecsElapsed() / 1e6,
                    static_cast<long long>(copied.html.size() / 1024), static_cast<long long>(copied.pictures.size()));
    }
    for (int run = 1; run <= 6; ++run) {
        const QString path = out.filePath(QStringLiteral("page%1.doc").arg(run));
        browser.dialogs.saveAnswer = path;
        const double ms = timed(QStringLiteral("SAVE:WORDH"), 60000);
        const bool saved = browser.dialogs.messages.value(browser.dialogs.messages.size() - 1).endsWith(path);
        std::printf("Word export %d: %8.0f ms  %s, %lld bytes\n", run, ms, saved ? "saved" : "NOT SAVED",
                    static_cast<long long>(QFileInfo(path).size()));
    }
    for (int run = 1; run <= 3; ++run)
        std::printf("capture %d:     %8.0f ms\n", run, timed(QStringLiteral("EDIT:PICTURE"), 10000));
    return 0;
}
