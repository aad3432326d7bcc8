#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "pageclick.h"
#include "testmain.h"

#include <QComboBox>
#include <QWebEngineHistory>
#include <QWebEngineView>

// Pages that ask for a new window: a link with target="_blank" and a window.open after a click.
class tst_NewWindows : public BrowserTest
{
    Q_OBJECT
private:
    // The upper half of the page is the link, the lower half the button.
    static constexpr QPoint onLink{100, 50};
    static constexpr QPoint onButton{100, 250};

    void openInFirstTab(const QString &path)
    {
        QSignalSpy complete(form().tabs().Web(0), &WebView::DocumentComplete);
        form().Text1->setEditText(server.url(path));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(waitForLoaded(complete, server.url(path)));
    }

private slots:
    void initTestCase()
    {
        server.setPage("/opener",
                       "<html><head><title>Opener</title></head><body style='margin:0'>"
                       "<a id='link' href='/target' target='_blank' style='position:fixed;left:0;top:0;"
                       "width:100%;height:150px;display:block'>new</a>"
                       "<button id='button' onclick=\"window.open('/scripted')\" style='position:fixed;left:0;"
                       "top:200px;width:100%;height:150px'>open</button></body></html>");
        server.setPage("/target", "<html><head><title>Target</title></head><body>target</body></html>");
        server.setPage("/scripted", "<html><head><title>Scripted</title></head><body>scripted</body></html>");
        server.setPage("/popup", "<html><head><title>Popup</title></head><body><script>"
                                 "window.open('/unasked');"
                                 "setTimeout(function () { window.open('/unasked'); document.title = 'Tried'; }, 100);"
                                 "</script></body></html>");
    }

    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    void newWindowGoesToTheNextFreeTabOrStaysWithItsHistory_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("freeTab");
        QTest::newRow("target=_blank, free tab") << onLink << "link" << "/target" << true;
        QTest::newRow("window.open on a click, free tab") << onButton << "button" << "/scripted" << true;
        QTest::newRow("target=_blank, no free tab") << onLink << "link" << "/target" << false;
        QTest::newRow("window.open on a click, no free tab") << onButton << "button" << "/scripted" << false;
    }
    void newWindowGoesToTheNextFreeTabOrStaysWithItsHistory()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, element);
        QFETCH(QString, path);
        QFETCH(bool, freeTab);
        openInFirstTab("/opener");
        TabSet &tabs = form().tabs();
        // Tab 2 is free either way: a free tab before it must be taken first.
        if (!freeTab) {
            for (int i = 1; i < tabs.TabCount(); ++i)
                tabs.setTabCaption(i, QStringLiteral("used"));
        }
        QSignalSpy firstLoads(tabs.Web(0), &WebView::DocumentComplete);
        QVERIFY(clickPage(tabs.Web(0), at, element));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(path), 1, webWaitMs);

        if (freeTab) {
            QCOMPARE(tabs.ActiveTab(), 1);
            QVERIFY(tabs.Web(1)->isVisible());
            QVERIFY(!tabs.Web(0)->isVisible());
            QCOMPARE(tabs.TabCaption(1), QString("127.0.0.1:%1").arg(server.port()));
            QCOMPARE(state().tabAddresses.value(1), server.url(path));
            QTRY_COMPARE_WITH_TIMEOUT(tabs.Web(1)->LocationURL(), server.url(path), webWaitMs);
            // The first tab keeps its page and its way back.
            QCOMPARE(tabs.Web(0)->LocationURL(), server.url("/opener"));
            QVERIFY(tabs.Web(0)->engine()->history()->canGoBack());
            QVERIFY(firstLoads.isEmpty());
        } else {
            QCOMPARE(tabs.ActiveTab(), 0);
            QVERIFY(waitForLoaded(firstLoads, server.url(path)));
            QWebEngineHistory *history = tabs.Web(0)->engine()->history();
            QVERIFY(history->canGoBack());
            QCOMPARE(history->backItem().url().toString(), server.url("/opener"));
            QSignalSpy back(tabs.Web(0), &WebView::DocumentComplete);
            tabs.Web(0)->GoBack();
            QVERIFY(waitForLoaded(back, server.url("/opener")));
        }
    }

    void aScriptCannotOpenWindowsUnasked()
    {
        QSignalSpy titles(form().tabs().Web(0), &WebView::TitleChange);
        openInFirstTab("/popup");
        QTRY_VERIFY_WITH_TIMEOUT(titles.contains({QStringLiteral("Tried")}), webWaitMs);
        // Anything the engine would have opened asks the server at once; give it a moment.
        QTest::qWait(300);
        QCOMPARE(server.requestCount("/unasked"), 0);
        QCOMPARE(form().tabs().ActiveTab(), 0);
        QCOMPARE(form().tabs().Web(0)->LocationURL(), server.url("/popup"));
        for (int i = 1; i < form().tabs().TabCount(); ++i)
            QVERIFY(form().tabs().TabCaption(i).isEmpty());
    }
};

TAMZO_TEST_MAIN(tst_NewWindows)
#include "tst_newwindows.moc"
