#include "browsing/webview.h"
#include "browsing/sharedprinter.h"
#include "scripteddialogs.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"
#include "webwait.h"

#include <QClipboard>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWebEnginePage>
#include <QFileInfo>

class tst_WebView : public QObject
{
    Q_OBJECT
private:
    TestHttpServer server;
    ScriptedDialogs dialogs;
    SharedPrinter printer;

private slots:
    void initTestCase()
    {
        server.setPage("/a", "<html><head><title>Page A</title></head><body><p id='t'>alpha text</p>"
                             "<a href='/b'>to b</a></body></html>");
        server.setPage("/b", "<html><head><title>Page B</title></head><body>bee</body></html>");
        server.setRedirect("/moved", server.url("/b"));
    }

    void noEngineUntilTheFirstNavigation()
    {
        WebView view(dialogs, printer);
        QVERIFY(!view.hasEngine());
        QVERIFY(!view.Busy());
        QCOMPARE(view.LocationURL(), QString());
        view.GoBack();
        view.Refresh();
        view.Stop();
        view.ExecWB(WebView::Copy);
        QVERIFY(!view.hasEngine());
        // Reading an empty view answers later, with nothing.
        QCOMPARE(readDocument<QStringList>([&](auto done) { view.readLinks({}, done); }), QStringList());
    }

    void navigationRaisesItsEvents()
    {
        WebView view(dialogs, printer);
        QSignalSpy before(&view, &WebView::BeforeNavigate2);
        QSignalSpy progress(&view, &WebView::ProgressChange);
        QSignalSpy title(&view, &WebView::TitleChange);
        QSignalSpy complete(&view, &WebView::DocumentComplete);
        view.Navigate2(server.url("/a"));
        QVERIFY(view.hasEngine());
        QVERIFY(complete.wait(webWaitMs));
        QCOMPARE(before.first().first().toString(), server.url("/a"));
        QCOMPARE(complete.first().first().toString(), server.url("/a"));
        QTRY_VERIFY(!title.isEmpty());
        QCOMPARE(title.last().first().toString(), QString("Page A"));
        QVERIFY(!progress.isEmpty());
        for (const auto &event : progress) {
            QCOMPARE(event.at(1).toInt(), 100);
            QVERIFY(event.at(0).toInt() <= 100);
        }
        QVERIFY(!view.Busy());
        QCOMPARE(view.LocationURL(), server.url("/a"));
        QCOMPARE(view.LocationName(), QString("Page A"));
        QCOMPARE(readDocument<QString>([&](auto done) { view.readReadyState(done); }), QString("complete"));
        QVERIFY(readDocument<QString>([&](auto done) { view.readMarkup(done); }).contains("alpha text"));
    }

    void historyMovesAndRedirects()
    {
        WebView view(dialogs, printer);
        QVERIFY(navigateAndWait(&view, server.url("/a")));
        QVERIFY(navigateAndWait(&view, server.url("/moved")));
        QCOMPARE(view.LocationURL(), server.url("/b"));
        QSignalSpy complete(&view, &WebView::DocumentComplete);
        view.GoBack();
        QTRY_COMPARE(view.LocationURL(), server.url("/a"));
        view.GoForward();
        QTRY_COMPARE(view.LocationURL(), server.url("/b"));
        view.setHomeAddress(server.url("/a"));
        view.GoHome();
        QTRY_COMPARE(view.LocationURL(), server.url("/a"));
        const int asked = server.requestCount("/a");
        view.Refresh();
        QTRY_COMPARE(server.requestCount("/a"), asked + 1);
    }

    void linksAreReadOutOfThePagesReach()
    {
        // The page's own scripts replace what a harvest would use; the program's world keeps its own.
        server.setPage("/tricky", pageWithLinks({"http://x/1", "https://x/2", "/relative"},
                                                "<script>Array.from = function () { return ['http://fake/']; };"
                                                "Array.prototype.map = function () { return ['http://fake/']; };"
                                                "Array.prototype.join = function () { return 'http://fake/'; };"
                                                "</script>"));
        WebView view(dialogs, printer);
        QVERIFY(navigateAndWait(&view, server.url("/tricky")));
        QCOMPARE(readDocument<QStringList>([&](auto done) { view.readLinks({}, done); }),
                 (QStringList{"http://x/1", "https://x/2", server.url("/relative")}));
        // Kept by their lower-cased text, in order, up to the limit.
        const LinkFilter filter{{"https://", "http://x/"}, {"/2"}, 1};
        QCOMPARE(readDocument<QStringList>([&](auto done) { view.readLinks(filter, done); }),
                 QStringList{"http://x/1"});
        const LinkFilter none{{"ftp:"}, {}, 0};
        QCOMPARE(readDocument<QStringList>([&](auto done) { view.readLinks(none, done); }), QStringList());
    }

    void aScriptsClickOpensNoNewWindow()
    {
        server.setPage("/opener", "<html><head><title>Opener</title></head><body>"
                                  "<a id='l' href='/popped' target='_blank'>b</a><script>"
                                  "document.getElementById('l').click(); document.title = 'Clicked';"
                                  "</script></body></html>");
        WebView view(dialogs, printer);
        QSignalSpy asked(&view, &WebView::NewWindow);
        view.Navigate(server.url("/opener"));
        QTRY_COMPARE_WITH_TIMEOUT(view.LocationName(), QString("Clicked"), webWaitMs);
        QTest::qWait(300);
        QCOMPARE(server.requestCount("/popped"), 0);
        QVERIFY(asked.isEmpty());
        QCOMPARE(view.LocationURL(), server.url("/opener"));
    }

    void closingIsTheOwnersChoice()
    {
        server.setPage("/closer", "<html><head><title>Closer</title></head><body>"
                                  "<script>setTimeout(function () { window.close(); }, 50);</script></body></html>");
        WebView view(dialogs, printer);
        bool cancelIt = true;
        int asked = 0;
        connect(&view, &WebView::WindowClosing, this, [&](bool isChild, bool *cancel) {
            ++asked;
            QVERIFY(!isChild);
            *cancel = cancelIt;
        });
        QVERIFY(navigateAndWait(&view, server.url("/closer")));
        QTRY_COMPARE_WITH_TIMEOUT(asked, 1, webWaitMs);
        QTest::qWait(200);
        QCOMPARE(view.LocationURL(), server.url("/closer"));
        // A page kept open is not closing: it says so to its scripts and may ask again.
        QCOMPARE(readDocument<QVariant>([&](auto done) { view.readDocument("window.closed", done); }), QVariant(false));
        cancelIt = false;
        view.Refresh();
        QTRY_COMPARE_WITH_TIMEOUT(asked, 2, webWaitMs);
        QTRY_COMPARE(view.LocationURL(), QString("about:blank"));
    }

    void selectAllAndCopyFillTheClipboard()
    {
        WebView view(dialogs, printer);
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(navigateAndWait(&view, server.url("/a")));
        QGuiApplication::clipboard()->clear();
        view.activateWindow();
        view.ExecWB(WebView::SelectAll);
        QTRY_VERIFY_WITH_TIMEOUT(view.engine()->page()->hasSelection(), webWaitMs);
        view.ExecWB(WebView::Copy);
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::clipboard()->text().contains("alpha text"), webWaitMs);
    }

    void saveAsWritesTheChosenFile()
    {
        TempAppFolder folder;
        WebView view(dialogs, printer);
        QVERIFY(navigateAndWait(&view, server.url("/a")));
        dialogs.saveAnswer = folder.path("saved.mhtml");
        view.ExecWB(WebView::SaveAs, 1);
        QCOMPARE(dialogs.suggestedNames.last(), QString("Page A.mhtml"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder.path("saved.mhtml")).size() > 0, webWaitMs);
        QTRY_VERIFY(folder.readBytes("saved.mhtml").contains("alpha text"));
        // Cancelling the dialog saves nothing.
        dialogs.saveAnswer.clear();
        view.ExecWB(WebView::SaveAs, 1);
        QCOMPARE(dialogs.suggestedNames.size(), 2);
    }

    void downloadsNobodyAskedForAreRefused()
    {
        server.setPage("/file.bin", QByteArray(4096, 'x'), "application/octet-stream");
        WebView view(dialogs, printer);
        QVERIFY(navigateAndWait(&view, server.url("/a")));
        QList<QWebEngineDownloadRequest::DownloadState> states;
        connect(view.engine()->page()->profile(), &QWebEngineProfile::downloadRequested, this,
                [&](QWebEngineDownloadRequest *download) { states << download->state(); });
        view.Navigate(server.url("/file.bin"));
        QTRY_COMPARE_WITH_TIMEOUT(states.size(), 1, webWaitMs);
        QCOMPARE(states.first(), QWebEngineDownloadRequest::DownloadCancelled);
        QCOMPARE(view.LocationURL(), server.url("/a"));
    }

    void propertiesShowTitleAndAddress()
    {
        WebView view(dialogs, printer);
        QVERIFY(navigateAndWait(&view, server.url("/a")));
        view.ExecWB(WebView::Properties);
        QCOMPARE(dialogs.messages.last(), "Page A\n" + server.url("/a"));
    }
};

TAMZO_TEST_MAIN(tst_WebView)
#include "tst_webview.moc"
