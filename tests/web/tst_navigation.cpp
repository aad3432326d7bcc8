#include "browserfixture.h"
#include "browsing/history.h"
#include "commands/captions.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "testmain.h"
#include "webwait.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QWebEnginePage>
#include <QWebEngineView>

class tst_Navigation : public BrowserTest
{
    Q_OBJECT
private:


    void type(const QString &text)
    {
        form().Text1->setEditText(text);
        QTest::keyClick(form().Text1, Qt::Key_Return);
    }

    void clickTab(int index, Qt::MouseButton button)
    {
        QTest::mouseClick(form().Tab1, button, {}, form().Tab1->tabRect(index).center());
    }

private slots:
    void initTestCase()
    {
        server.setPage("/typed", "<html><head><title>Typed</title></head><body>typed</body></html>");
        server.setPage("/withlink", "<html><body><a id='l' href='/linked'>go</a></body></html>");
        server.setPage("/linked", "<html><head><title>Linked</title></head><body>linked</body></html>");
        server.setPage("/b", "<html><head><title>B</title></head><body>b</body></html>");
        server.setRedirect("/moved", server.url("/b"));
        server.setPage("/closer", "<html><body><script>setTimeout(function () { window.close(); }, 50);"
                                  "</script></body></html>");
    }

    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        QTRY_COMPARE_WITH_TIMEOUT(form().progressBar->value(), 100, 20000);
    }
    void cleanup() { browser.reset(); }

    void typedAddressIsCompletedOpenedAndCaptioned()
    {
        // The server's address typed without its scheme.
        const QString typed = QString("127.0.0.1:%1/typed").arg(server.port());
        type(typed);
        QCOMPARE(form().Text1->currentText(), "http://" + typed);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/typed"), 1, 20000);
        QCOMPARE(state().tabAddresses.value(0), "http://" + typed);
        QCOMPARE(form().tabs().TabCaption(0), QString("127.0.0.1:%1").arg(server.port()));
        QCOMPARE(state().currentAddress, "http://" + typed);
        QCOMPARE(state().bookmarkAddress, "http://" + typed);
        QCOMPARE(state().typedAddress, typed);
        QCOMPARE(form().Text1->count(), 1);
        QCOMPARE(form().Text1->itemText(0), "http://" + typed);
        QTRY_VERIFY(active()->hasFocus() || active()->engine()->hasFocus() || form().focusWidget() != form().Text1->lineEdit());
    }

    void historyRulesThroughTheAddressBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entries");
        QTest::newRow("an http address") << "http://127.0.0.1:%1/typed" << 1;
        QTest::newRow("again with blanks after") << "http://127.0.0.1:%1/typed  " << 1;
        QTest::newRow("again in upper case") << "HTTP://127.0.0.1:%1/TYPED" << 2;
        QTest::newRow("eight characters") << "http://a" << 1;
        QTest::newRow("ten characters") << "http://a.b" << 2;
        QTest::newRow("ftp") << "ftp://127.0.0.1:%1/file" << 1;
    }
    void historyRulesThroughTheAddressBox()
    {
        QFETCH(QString, typed);
        QFETCH(int, entries);
        type(QString("http://127.0.0.1:%1/typed").arg(server.port()));
        type(typed.contains("%1") ? typed.arg(server.port()) : typed);
        QCOMPARE(form().Text1->count(), entries);
    }

    void emptyBoxOpensTheStartPageOnly()
    {
        type(QString());
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/startpage"), 1, 20000);
        QCOMPARE(state().tabAddresses.value(0), server.url("/start"));
        QCOMPARE(form().Text1->count(), 0);
        QCOMPARE(state().bookmarkAddress, QString());
    }

    void linkInsideThePageMovesTheBoxButNotTheTab()
    {
        type(server.url("/withlink"));
        QVERIFY(waitForDocument(active()));
        const QString caption = form().tabs().TabCaption(0);
        QString statusDuringNavigation;
        connect(active(), &WebView::BeforeNavigate2, this,
                [&] { statusDuringNavigation = form().statusBar->text(); });
        active()->engine()->page()->runJavaScript("document.getElementById('l').click()");
        QVERIFY(waitForDocument(active()));
        QCOMPARE(form().Text1->currentText(), server.url("/linked"));
        QCOMPARE(state().currentAddress, server.url("/linked"));
        QCOMPARE(statusDuringNavigation, QString(BrowserFixture::loadingCaption));
        QCOMPARE(form().tabs().TabCaption(0), caption);
        QCOMPARE(state().tabAddresses.value(0), server.url("/withlink"));
        QCOMPARE(state().bookmarkAddress, server.url("/withlink"));
        QCOMPARE(form().progressBar->value(), 100);
        QTRY_COMPARE(state().pageTitle, QString("Linked"));
    }

    void progressFollowsTheEvents_data()
    {
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("shown");
        QTest::newRow("quarter") << 50 << 200 << 25;
        QTest::newRow("third rounds down") << 1 << 3 << 33;
        QTest::newRow("half to even, down") << 1 << 8 << 12;
        QTest::newRow("half to even, up") << 3 << 8 << 38;
        QTest::newRow("complete") << 7 << 7 << 100;
        QTest::newRow("maximum 0") << 0 << 0 << -1;
        QTest::newRow("maximum -1") << 1 << -1 << -1;
        QTest::newRow("progress 0") << 0 << 10 << -1;
        QTest::newRow("beyond the maximum") << 11 << 10 << -1;
    }
    void progressFollowsTheEvents()
    {
        QFETCH(int, progress);
        QFETCH(int, maximum);
        QFETCH(int, shown);
        form().progressBar->setValue(61);
        // A background tab's events move the same bar.
        emit form().tabs().Web(3)->ProgressChange(progress, maximum);
        QCOMPARE(form().progressBar->value(), shown < 0 ? 61 : shown);
    }

    void timer5PutsTheFinalAddressInTheBox()
    {
        QVERIFY(!form().navigator().Timer5.isActive() || !active()->Busy());
        type(server.url("/moved"));
        QVERIFY(form().navigator().Timer5.isActive());
        QCOMPARE(form().navigator().Timer5.interval(), 2000);
        QVERIFY(waitForDocument(active()));
        form().Text1->setEditText("typed meanwhile");
        form().navigator().Timer5_Timer();
        QCOMPARE(form().Text1->currentText(), server.url("/b"));
        QVERIFY(!form().navigator().Timer5.isActive());
    }

    void aPageCannotCloseItsView()
    {
        type(server.url("/closer"));
        QVERIFY(waitForDocument(active()));
        QTest::qWait(500);
        QCOMPARE(active()->LocationURL(), server.url("/closer"));
    }

    void everyTabHasItsViewAndAddress()
    {
        QCOMPARE(form().tabs().TabCount(), 5);
        QCOMPARE(form().tabs().viewCount(), 5);
        QCOMPARE(state().tabAddresses.size(), 5);
        // Tabs never opened cost no renderer.
        for (int i = 1; i < 5; ++i)
            QVERIFY(!form().tabs().Web(i)->hasEngine());
    }

    void leftClickOnAFreeTabCopiesTheOneBefore()
    {
        // Tab 2 after a free tab 1 stays free and opens an empty address.
        clickTab(2, Qt::LeftButton);
        QCOMPARE(form().tabs().ActiveTab(), 2);
        QVERIFY(form().tabs().Web(2)->isVisibleTo(&form()));
        QVERIFY(!form().tabs().Web(0)->isVisibleTo(&form()));
        QCOMPARE(form().tabs().TabCaption(2), QString());
        QCOMPARE(state().tabAddresses.value(2), QString());

        const int asked = server.requestCount("/start");
        clickTab(1, Qt::LeftButton);
        QCOMPARE(form().tabs().TabCaption(1), form().tabs().TabCaption(0));
        QCOMPARE(state().tabAddresses.value(1), server.url("/start"));
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(form().tabs().Web(1)->LocationURL(), server.url("/start"), 20000);

        // A used tab only switches the view.
        clickTab(0, Qt::LeftButton);
        clickTab(1, Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(server.requestCount("/start"), asked + 1);
        QVERIFY(form().tabs().Web(1)->isVisibleTo(&form()));
    }

    void rightClickReloadsAndMiddleClickDoesNothing()
    {
        const int asked = server.requestCount("/start");
        clickTab(0, Qt::RightButton);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + 1, 20000);
        QVERIFY(form().tabs().Web(0)->isVisibleTo(&form()));

        const QStringList addresses = state().tabAddresses;
        clickTab(3, Qt::MiddleButton);
        QTest::qWait(300);
        QCOMPARE(state().tabAddresses, addresses);
        QCOMPARE(form().tabs().TabCaption(3), QString());
        QVERIFY(form().tabs().Web(0)->isVisibleTo(&form()));
        QVERIFY(!form().tabs().Web(3)->isVisibleTo(&form()));
        QVERIFY(!form().tabs().Web(3)->hasEngine());
        QCOMPARE(server.requestCount("/start"), asked + 1);
    }

    void languageSwitchFreesEveryTab()
    {
        browser->writeLanguage("Other", server, 5);
        state().languageName = "other";
        form().captions().Read_Lang();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(form().tabs().TabCaption(i), QString());
        QCOMPARE(state().caption(1), QString("Other 1"));
        const int asked = server.requestCount("/start");
        clickTab(1, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + 1, 20000);
        QCOMPARE(state().tabAddresses.value(1), server.url("/start"));
    }

    void tabCountChangesWithTheLanguage()
    {
        browser->writeLanguage("More", server, 7);
        state().languageName = "More";
        form().captions().Read_Lang();
        QCOMPARE(form().tabs().TabCount(), 7);
        QCOMPARE(form().tabs().viewCount(), 7);
        QCOMPARE(state().tabAddresses.size(), 5);
        // The pointer over a tab past the address list changes no tooltip.
        form().Tab1->setToolTip("unchanged");
        form().tabs().Tab1_MouseMove(form().Tab1->width() - 1);
        QCOMPARE(form().Tab1->toolTip(), QString("unchanged"));
        clickTab(6, Qt::LeftButton);
        QCOMPARE(form().tabs().ActiveTab(), 6);

        browser->writeLanguage("Fewer", server, 3);
        state().languageName = "Fewer";
        form().captions().Read_Lang();
        QCOMPARE(form().tabs().TabCount(), 3);
        QCOMPARE(form().tabs().viewCount(), 7);
        QVERIFY(form().tabs().ActiveTab() < 3);
        QVERIFY(form().tabs().activeView()->isVisibleTo(&form()));
    }

    void tooltipShowsTheAddressUnderThePointer()
    {
        state().tabAddresses[4] = "http://fifth";
        state().tabAddresses[0] = "http://first";
        const int width = form().Tab1->width();
        form().tabs().Tab1_MouseMove(width * 9 / 10);
        QCOMPARE(form().Tab1->toolTip(), QString("http://fifth"));
        form().tabs().Tab1_MouseMove(1);
        QCOMPARE(form().Tab1->toolTip(), QString("http://first"));
        form().tabs().Tab1_MouseMove(-width);
        QCOMPARE(form().Tab1->toolTip(), QString("http://first"));
        form().tabs().Tab1_MouseMove(width * 3);
        QCOMPARE(form().Tab1->toolTip(), QString("http://first"));
    }
};

TAMZO_TEST_MAIN(tst_Navigation)
#include "tst_navigation.moc"
