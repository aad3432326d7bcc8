#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>

// A page that loops its dialogs in one tab leaves the other tabs of its site alone.
class tst_PageLoops : public BrowserTest
{
    Q_OBJECT
private:
    QLineEdit *typeOver(const QString &text)
    {
        QLineEdit *edit = form().Text1->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        return edit;
    }
    QString titleRead(WebView *view)
    {
        return readDocument<QVariant>([view](auto done) { view->readDocument("document.title", done); }).toString();
    }

private slots:
    void initTestCase()
    {
        // The engine gives pages of one site one renderer once it runs as many as the machine's
        // memory allows; here it does so from the first page on.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --renderer-process-limit=1"));
    }
    void init()
    {
        server.setPage("/counter", "<html><head><title>0</title></head><body><script>"
                                   "var n = 0; setInterval(function () { document.title = ++n; }, 50);"
                                   "</script></body></html>");
        server.setPage("/alerts", "<html><body><script>for (var n = 1; ; ++n) alert('again ' + n);</script></body></html>");
        server.setPage("/page2.html", "<html><head><title>page 2</title></head><body>2</body></html>");
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    void stoppingALoopingPageKeepsTheOtherTabsOfItsSite()
    {
        WebView *other = active();
        QSignalSpy otherLoaded(other, &WebView::DocumentComplete);
        QTest::keyClick(typeOver(server.url("/counter")), Qt::Key_Return);
        QVERIFY(waitForLoaded(otherLoaded, server.url("/counter")));
        QSignalSpy otherCrashed(other, &WebView::RendererCrashed);

        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        QCOMPARE(form().tabs().ActiveTab(), 1);
        WebView *looping = active();
        QSignalSpy complete(looping, &WebView::DocumentComplete);
        // The user answers the first box and stops the second; the page waits inside each box.
        int boxes = 0;
        QPointer<QDialog> seen;
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            auto *box = form().findChild<QDialog *>("pageDialog", Qt::FindDirectChildrenOnly);
            if (!box || box == std::exchange(seen, box))
                return;
            auto *stop = box->findChild<QPushButton *>("stopPageDialogs");
            if (++boxes == 2 && stop)
                QTest::mouseClick(stop, Qt::LeftButton);
            else
                QTest::mouseClick(box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        user.start(50);
        QTest::keyClick(typeOver(server.url("/alerts")), Qt::Key_Return);
        QVERIFY(waitUntil([&] { return boxes >= 2 && !seen; }));
        QCOMPARE(looping->engine()->page()->renderProcessPid(), other->engine()->page()->renderProcessPid());
        QTest::keyClick(typeOver(server.url("/page2.html")), Qt::Key_Return);
        QVERIFY(waitForLoaded(complete, server.url("/page2.html")));
        QCOMPARE(boxes, 2);

        // The other tab runs its script again, on its own page.
        const int before = titleRead(other).toInt();
        QVERIFY(waitUntil([&] { return titleRead(other).toInt() > before; }));
        QCOMPARE(other->LocationURL(), server.url("/counter"));
        QVERIFY(otherCrashed.isEmpty());
    }
};

TAMZO_TEST_MAIN(tst_PageLoops)
#include "tst_pageloops.moc"
