#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "testmain.h"
#include "travel/travelengine.h"

#include <QLabel>
#include <QWebEngineView>
#include <QWheelEvent>

// The page shown zooms with Ctrl and the usual keys or the wheel; each tab keeps its own level,
// which the status strip shows while it is not 100%.
class tst_Zoom : public BrowserTest
{
    Q_OBJECT
private:
    QLabel *levelShown() { return form().findChild<QLabel *>("zoomLevel"); }

    // What the page itself sees: the engine's zoom scales its pixels, once its renderer has it.
    bool pageScaleBecomes(WebView *view, double expected)
    {
        double scale = 0;
        return QTest::qWaitFor(
            [&] {
                bool answered = false;
                view->engine()->page()->runJavaScript("window.devicePixelRatio", [&](const QVariant &v) {
                    scale = v.toDouble();
                    answered = true;
                });
                if (!QTest::qWaitFor([&] { return answered; }, webWaitMs))
                    return false;
                return qAbs(scale - expected) < 0.001;
            },
            webWaitMs);
    }

    void turnWheel(int delta)
    {
        QWidget *page = active()->engine()->focusProxy();
        const QPointF at(page->width() / 2.0, page->height() / 2.0);
        QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(page, &wheel);
    }

private slots:
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        form().activateWindow();
    }
    void cleanup() { browser.reset(); }

    void keysAndWheelZoomThePageAndStopTravel_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("wheel");
        QTest::addColumn<int>("percent");
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("Ctrl+= twice") << QList<int>{Qt::Key_Equal | ctrl, Qt::Key_Equal | ctrl} << QList<int>{} << 125;
        QTest::newRow("Ctrl+plus") << QList<int>{Qt::Key_Plus | ctrl} << QList<int>{} << 110;
        QTest::newRow("Ctrl+minus") << QList<int>{Qt::Key_Minus | ctrl} << QList<int>{} << 90;
        QTest::newRow("in, then Ctrl+0") << QList<int>{Qt::Key_Plus | ctrl, Qt::Key_0 | ctrl} << QList<int>{} << 100;
        QTest::newRow("wheel a notch up") << QList<int>{} << QList<int>{120} << 110;
        QTest::newRow("touchpad, small turns down") << QList<int>{} << QList<int>{-40, -40, -40, -40} << 90;
        QTest::newRow("never below a quarter") << QList<int>(12, Qt::Key_Minus | ctrl) << QList<int>{} << 25;
    }
    void keysAndWheelZoomThePageAndStopTravel()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QList<int>, wheel);
        QFETCH(int, percent);
        QWidget *page = active()->engine()->focusProxy();
        page->setFocus();
        form().travel().Timer2.start();
        for (int key : keys)
            QTest::keyClick(page, Qt::Key(key & ~Qt::KeyboardModifierMask), Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        for (int delta : wheel)
            turnWheel(delta);
        QCOMPARE(active()->zoomPercent(), percent);
        QVERIFY(pageScaleBecomes(active(), percent / 100.0));
        QCOMPARE(levelShown()->isVisible(), percent != 100);
        if (percent != 100)
            QCOMPARE(levelShown()->text(), QString("%1%").arg(percent));
        QVERIFY(!form().travel().Timer2.isActive());
    }

    void eachTabKeepsItsLevelAcrossPages()
    {
        server.setPage("/other", "<html><head><title>Other</title></head><body>other</body></html>");
        QTest::keyClick(active()->engine()->focusProxy(), Qt::Key_Plus, Qt::ControlModifier);
        // The second tab shows a page of the same site at its own 100%.
        form().tabs().setTabCaption(1, "second");
        form().tabs().showTab(1);
        QVERIFY(navigateAndWait(active(), server.url("/other")));
        QVERIFY(pageScaleBecomes(active(), 1.0));
        QVERIFY(!levelShown()->isVisible());
        // The first one is still zoomed, also on another page and on one of another site name.
        form().tabs().showTab(0);
        QCOMPARE(levelShown()->text(), QString("110%"));
        QVERIFY(navigateAndWait(active(), server.url("/other")));
        QVERIFY(pageScaleBecomes(active(), 1.1));
        QVERIFY(navigateAndWait(active(), QString("http://localhost:%1/other").arg(server.port())));
        QVERIFY(pageScaleBecomes(active(), 1.1));
        QVERIFY(pageScaleBecomes(form().tabs().Web(1), 1.0));
    }
};

TAMZO_TEST_MAIN(tst_Zoom)
#include "tst_zoom.moc"
