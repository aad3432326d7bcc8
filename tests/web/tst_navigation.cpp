#include "browserfixture.h"
#include "browsing/history.h"
#include "language/captions.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "testmain.h"
#include "webwait.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QWheelEvent>
#include <csignal>
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
        QTRY_COMPARE_WITH_TIMEOUT(form().progressBar->value(), 100, webWaitMs);
    }
    void cleanup() { browser.reset(); }

    void typedAddressIsCompletedOpenedAndCaptioned()
    {
        // The server's address typed without its scheme.
        const QString typed = QString("127.0.0.1:%1/typed").arg(server.port());
        type(typed);
        QCOMPARE(form().Text1->currentText(), "http://" + typed);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/typed"), 1, webWaitMs);
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
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/startpage"), 1, webWaitMs);
        QCOMPARE(state().tabAddresses.value(0), server.url("/start"));
        QCOMPARE(form().Text1->count(), 0);
        // The bookmark would store the page shown.
        QTRY_COMPARE_WITH_TIMEOUT(state().bookmarkAddress, server.url("/startpage"), webWaitMs);
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
        QCOMPARE(state().bookmarkAddress, server.url("/linked"));
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
        emit active()->ProgressChange(progress, maximum);
        QCOMPARE(form().progressBar->value(), shown < 0 ? 61 : shown);
        // A background tab's events leave the bar alone.
        form().progressBar->setValue(61);
        emit form().tabs().Web(3)->ProgressChange(progress, maximum);
        QCOMPARE(form().progressBar->value(), 61);
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
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + 1, webWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(form().tabs().Web(1)->LocationURL(), server.url("/start"), webWaitMs);

        // A used tab only switches the view.
        clickTab(0, Qt::LeftButton);
        clickTab(1, Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(server.requestCount("/start"), asked + 1);
        QVERIFY(form().tabs().Web(1)->isVisibleTo(&form()));
    }

    // Only a left click changes the active tab: the view shown is always the active one.
    void otherButtonsAndTheWheelKeepTheActiveTab_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("reloads");
        QTest::newRow("right click on the active tab") << "right 0" << 1;
        QTest::newRow("right click on another tab") << "right 3" << 1;
        QTest::newRow("right click past the tabs") << "right end" << 1;
        QTest::newRow("middle click") << "middle 3" << 0;
        QTest::newRow("wheel") << "wheel 3" << 0;
    }
    void otherButtonsAndTheWheelKeepTheActiveTab()
    {
        QFETCH(QString, gesture);
        QFETCH(int, reloads);
        const QStringList addresses = state().tabAddresses;
        const int asked = server.requestCount("/start");
        const QString where = gesture.section(' ', 1);
        const QPoint point = where == "end" ? QPoint(form().Tab1->width() - 2, form().Tab1->height() / 2)
                                            : form().Tab1->tabRect(where.toInt()).center();
        if (gesture.startsWith("right")) {
            QTest::mouseClick(form().Tab1, Qt::RightButton, {}, point);
        } else if (gesture.startsWith("middle")) {
            QTest::mouseClick(form().Tab1, Qt::MiddleButton, {}, point);
        } else {
            for (const int notch : {-120, -120, 120}) {
                QWheelEvent wheel(point, form().Tab1->mapToGlobal(point), {}, {0, notch}, Qt::NoButton, {},
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(form().Tab1, &wheel);
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + reloads, webWaitMs);
        QCOMPARE(form().tabs().ActiveTab(), 0);
        QCOMPARE(form().Tab1->currentIndex(), 0);
        QVERIFY(form().tabs().Web(0)->isVisibleTo(&form()));
        QVERIFY(!form().tabs().Web(3)->isVisibleTo(&form()));
        QVERIFY(!form().tabs().Web(3)->hasEngine());
        QCOMPARE(state().tabAddresses, addresses);
        QCOMPARE(form().tabs().TabCaption(3), QString());
        QTest::qWait(200);
        QCOMPARE(server.requestCount("/start"), asked + reloads);
    }

    void backgroundTabsLeaveTheWindowAlone()
    {
        QSignalSpy copied(form().tabs().Web(1), &WebView::DocumentComplete);
        clickTab(1, Qt::LeftButton);
        QVERIFY(waitForLoaded(copied, server.url("/start")));
        clickTab(0, Qt::LeftButton);
        type(server.url("/typed"));
        QVERIFY(waitForDocument(active()));
        QTRY_COMPARE(state().pageTitle, QString("Typed"));
        form().navigator().Timer5.stop();
        form().Text1->setEditText("being typed");
        form().statusBar->setText("status");

        // Tab 1 loads a page behind the user's back.
        QSignalSpy loaded(form().tabs().Web(1), &WebView::DocumentComplete);
        QSignalSpy titled(form().tabs().Web(1), &WebView::TitleChange);
        form().tabs().Web(1)->Navigate(server.url("/b"));
        QVERIFY(waitForLoaded(loaded, server.url("/b")));
        QTRY_VERIFY(!titled.isEmpty());
        QCOMPARE(form().Text1->currentText(), QString("being typed"));
        QCOMPARE(form().statusBar->text(), QString("status"));
        QCOMPARE(form().progressBar->value(), 100);
        QCOMPARE(state().currentAddress, server.url("/typed"));
        QCOMPARE(state().pageTitle, QString("Typed"));
        QVERIFY(!form().navigator().Timer5.isActive());

        // Shown, its page is the one the box, the bookmark and the commands work on.
        clickTab(1, Qt::LeftButton);
        QCOMPARE(form().Text1->currentText(), server.url("/b"));
        QCOMPARE(state().currentAddress, server.url("/b"));
        QCOMPARE(state().pageTitle, QString("B"));
        QCOMPARE(state().bookmarkAddress, server.url("/b"));
        clickTab(0, Qt::LeftButton);
        QCOMPARE(form().Text1->currentText(), server.url("/typed"));
        QCOMPARE(state().pageTitle, QString("Typed"));
        QCOMPARE(state().bookmarkAddress, server.url("/typed"));
    }

    void theClosedBoxOpensNothingByWheelOrArrows()
    {
        type(server.url("/typed"));
        QVERIFY(waitForDocument(active()));
        type(server.url("/b"));
        QVERIFY(waitForDocument(active()));
        QCOMPARE(form().Text1->count(), 2);
        const QStringList addresses = state().tabAddresses;
        const QString bookmark = state().bookmarkAddress;
        const int typedAsked = server.requestCount("/typed");
        form().Text1->lineEdit()->setFocus();

        for (const int notch : {120, -120, -120}) {
            QWheelEvent wheel(QPointF(10, 5), form().Text1->mapToGlobal(QPoint(10, 5)), {}, {0, notch}, Qt::NoButton,
                              {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(form().Text1, &wheel);
        }
        QTest::keyClick(form().Text1->lineEdit(), Qt::Key_Up);
        QVERIFY(form().Text1->view()->isVisible()); // the arrows open the list
        form().Text1->hidePopup();
        QTest::keyClick(form().Text1->lineEdit(), Qt::Key_Down);
        QVERIFY(form().Text1->view()->isVisible());
        QTest::qWait(200);
        QCOMPARE(server.requestCount("/typed"), typedAsked);
        QCOMPARE(state().tabAddresses, addresses);
        QCOMPARE(state().bookmarkAddress, bookmark);
        QCOMPARE(active()->LocationURL(), server.url("/b"));

        // Choosing an entry from the opened list opens it.
        QAbstractItemView *list = form().Text1->view();
        const QRect first = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/typed"), typedAsked + 1, webWaitMs);
        QCOMPARE(state().tabAddresses.value(0), server.url("/typed"));
        QCOMPARE(state().bookmarkAddress, server.url("/typed"));
    }

    void aCrashedPageShowsANotice()
    {
        type(server.url("/typed"));
        QVERIFY(waitForDocument(active()));
        QSignalSpy crashed(active(), &WebView::RendererCrashed);
        QCOMPARE(::kill(pid_t(active()->engine()->page()->renderProcessPid()), SIGKILL), 0);
        QVERIFY(crashed.wait(webWaitMs));
        const QString notice = "This page stopped working: " + server.url("/typed");
        QTRY_VERIFY_WITH_TIMEOUT(readDocument<QString>([&](auto done) { active()->readMarkup(done); }).contains(notice),
                                 webWaitMs);
        QVERIFY(!active()->Busy());
        // The view works on.
        QVERIFY(navigateAndWait(active(), server.url("/b")));
        QCOMPARE(active()->LocationName(), QString("B"));
    }

    // The page of the first tab stays open through a language switch; the free tabs stay free.
    void languageSwitchKeepsTheTabs()
    {
        browser->writeLanguage("Other", server, 5);
        const QString first = form().tabs().TabCaption(0);
        QVERIFY(!first.isEmpty());
        state().languageName = "other";
        form().captions().Read_Lang();
        QCOMPARE(form().tabs().TabCaption(0), first);
        for (int i = 1; i < 5; ++i)
            QCOMPARE(form().tabs().TabCaption(i), QString());
        QCOMPARE(state().caption(1), QString("Other 1"));
        const int asked = server.requestCount("/start");
        clickTab(1, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/start"), asked + 1, webWaitMs);
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
        const QString first = form().tabs().Web(0)->LocationURL();
        const int width = form().Tab1->width();
        form().tabs().Tab1_MouseMove(width * 9 / 10);
        QCOMPARE(form().Tab1->toolTip(), QString("http://fifth"));
        form().tabs().Tab1_MouseMove(1);
        QCOMPARE(form().Tab1->toolTip(), first);
        form().tabs().Tab1_MouseMove(-width);
        QCOMPARE(form().Tab1->toolTip(), first);
        form().tabs().Tab1_MouseMove(width * 3);
        QCOMPARE(form().Tab1->toolTip(), first);
    }
};

TAMZO_TEST_MAIN(tst_Navigation)
#include "tst_navigation.moc"
