#pragma once

#include "app/frmstart.h"
#include "browsing/tabset.h"
#include "core/programstate.h"
#include "scripteddialogs.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "webwait.h"

#include <QTest>
#include <memory>

// A main window started in a temporary application folder whose start page and language
// settings point at the local test server.
struct BrowserFixture
{
    static constexpr const char *loadingCaption = "Loading the page";

    // answering: the dialogs that answer the window's questions, the scripted ones without.
    explicit BrowserFixture(TestHttpServer &server, int tabNumber = 5, UserDialogs *answering = nullptr)
    {
        server.setPage("/start", "<html><head><title>Start</title></head><body>start</body></html>");
        server.setPage("/startpage", "<html><head><title>Start page</title></head><body>home</body></html>");
        folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), "English"});
        writeLanguage("English", server, tabNumber);
        state = std::make_unique<ProgramState>(AppFolder(folder.root()));
        form = std::make_unique<frmStart>(*state, answering ? *answering : dialogs, shell);
    }

    // A language whose caption k reads "<name> k" (179 excepted), with the settings given after
    // the test server's start and search pages.
    void writeLanguage(const QString &name, TestHttpServer &server, int tabNumber, int captions = 223,
                       const QStringList &settings = {}) const
    {
        QStringList lines{"[Settings]", "START_PAGE=" + server.url("/startpage"),
                          "SEARCH_URL=" + server.url("/search"), "TAB_WIDTH=3000",
                          "TAB_NUMBER=" + QString::number(tabNumber)};
        lines << settings << "[Captions]";
        for (int i = 1; i <= captions; ++i)
            lines.append(i == 179 ? QString("\"%1\"").arg(loadingCaption) : QString("\"%1 %2\"").arg(name).arg(i));
        folder.write("Languages/Lang_" + name + ".txt", lines);
    }

    // Loads and shows the window; true once the start page has completely loaded, so that no
    // event of it comes later. False as soon as the first page has loaded with another address.
    bool start(TestHttpServer &server)
    {
        if (!form->Form_Load())
            return false;
        // The first navigation reports its end later, on the event loop.
        QSignalSpy complete(form->tabs().Web(0), &WebView::DocumentComplete);
        form->resize(1000, 700);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return false;
        if (!waitUntil([&] { return !complete.isEmpty(); }))
            return false;
        const QString loaded = complete.first().first().toString();
        if (loaded != server.url("/start"))
            qWarning("The first page loaded was %s", qPrintable(loaded));
        return loaded == server.url("/start");
    }

    TempAppFolder folder;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<ProgramState> state;
    std::unique_ptr<frmStart> form;
};

// The base of the tests that drive a whole main window against the local server.
class BrowserTest : public QObject
{
protected:
    TestHttpServer server;
    std::unique_ptr<BrowserFixture> browser;

    frmStart &form() { return *browser->form; }
    ProgramState &state() { return *browser->state; }
    WebView *active() { return form().tabs().activeView(); }
};
