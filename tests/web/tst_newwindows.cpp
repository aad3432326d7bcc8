#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
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
        QTest::addColumn<int>("opener");
        QTest::newRow("target=_blank, free tab") << onLink << "link" << "/target" << true << 0;
        QTest::newRow("window.open on a click, free tab") << onButton << "button" << "/scripted" << true << 0;
        QTest::newRow("target=_blank, no free tab") << onLink << "link" << "/target" << false << 0;
        QTest::newRow("window.open on a click, no free tab") << onButton << "button" << "/scripted" << false << 0;
        QTest::newRow("target=_blank from tab 2, tab 1 free") << onLink << "link" << "/target" << true << 2;
    }
    void newWindowGoesToTheNextFreeTabOrStaysWithItsHistory()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, element);
        QFETCH(QString, path);
        QFETCH(bool, freeTab);
        QFETCH(int, opener);
        openInFirstTab("/opener");
        TabSet &tabs = form().tabs();
        // Clicked, a free tab becomes a copy of the tab before it; the tabs before the opener are
        // then emptied, so that the first free tab and the first free one after the opener differ.
        for (int i = 1; i <= opener; ++i) {
            QSignalSpy copied(tabs.Web(i), &WebView::DocumentComplete);
            QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(i).center());
            QVERIFY(waitForLoaded(copied, server.url("/opener")));
        }
        for (int i = 1; i < opener; ++i)
            tabs.setTabCaption(i, QString());
        const int next = opener + 1;
        // Tab 2 is free either way: a free tab before it must be taken first.
        if (!freeTab) {
            for (int i = 1; i < tabs.TabCount(); ++i)
                tabs.setTabCaption(i, QStringLiteral("used"));
        }
        const int requested = server.requestCount(path);
        QSignalSpy firstLoads(tabs.Web(opener), &WebView::DocumentComplete);
        QVERIFY(clickPage(tabs.Web(opener), at, element));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(path), requested + 1, webWaitMs);

        if (freeTab) {
            QCOMPARE(tabs.ActiveTab(), next);
            QVERIFY(tabs.Web(next)->isVisible());
            QVERIFY(!tabs.Web(opener)->isVisible());
            QCOMPARE(tabs.TabCaption(next), QString("127.0.0.1:%1").arg(server.port()));
            QCOMPARE(state().tabAddresses.value(next), server.url(path));
            QTRY_COMPARE_WITH_TIMEOUT(tabs.Web(next)->LocationURL(), server.url(path), webWaitMs);
            // The opener keeps its page, and the first tab its way back (a copied tab has none).
            QCOMPARE(tabs.Web(opener)->LocationURL(), server.url("/opener"));
            QCOMPARE(tabs.Web(opener)->engine()->history()->canGoBack(), opener == 0);
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
