#include "browserfixture.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "testmain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineView>

// The address box opens exactly what was typed; what cannot be opened says so on the page.
class tst_AddressBox : public BrowserTest
{
    Q_OBJECT
private:
    QString shownText()
    {
        return readDocument<QString>([this](auto done) {
            active()->readMarkup([done](const QString &markup) { done(markup); });
        });
    }

private slots:
    void initTestCase()
    {
        server.setPage("/form.html", "<html><head><title>lower</title></head><body>lower</body></html>");
        server.setPage("/page2.html", "<html><head><title>page 2</title></head><body>2</body></html>");
    }

    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    void typedTextIsRequestedAsTyped_data()
    {
        QTest::addColumn<QString>("historyPath");
        QTest::addColumn<QString>("typedPath");
        QTest::newRow("other letter case") << "/form.html" << "/FORM.HTML";
        QTest::newRow("beginning of an entry") << "/page2.html" << "/pa";
    }
    void typedTextIsRequestedAsTyped()
    {
        QFETCH(QString, historyPath);
        QFETCH(QString, typedPath);
        form().Text1->insertItem(0, server.url(historyPath));
        form().Text1->setEditText(QString());
        QLineEdit *edit = form().Text1->lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, server.url(typedPath));
        QCOMPARE(edit->text(), server.url(typedPath));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(typedPath), 1, webWaitMs);
        QCOMPARE(server.requestCount(historyPath), 0);
        QCOMPARE(state().tabAddresses.value(0), server.url(typedPath));
        // The history keeps both, as typed.
        QVERIFY(form().Text1->findText(server.url(typedPath), Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0);
        QVERIFY(form().Text1->findText(server.url(historyPath), Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0);
    }

    void anAddressThatCannotBeOpenedIsNamedOnThePage_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("typed");
        QTest::newRow("typed with a blank") << "http://hello world" << true;
        QTest::newRow("start address without a scheme") << "start<page>" << false;
        QTest::newRow("typed, nothing answers there") << "http://127.0.0.1:1/nothing" << true;
    }
    void anAddressThatCannotBeOpenedIsNamedOnThePage()
    {
        QFETCH(QString, address);
        QFETCH(bool, typed);
        if (typed) {
            form().Text1->setEditText(address);
            QTest::keyClick(form().Text1, Qt::Key_Return);
        } else {
            form().tabs().setHomeAddress(address);
            form().dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, "NAVIGATE:HOME");
        }
        QTRY_VERIFY_WITH_TIMEOUT(shownText().contains("This address cannot be opened:"), webWaitMs);
        QVERIFY2(shownText().contains(address.toHtmlEscaped()), qPrintable(shownText()));
        // The box keeps the address that failed, for Enter, the bookmark and the link tables.
        form().navigator().Timer5_Timer();
        QCOMPARE(form().Text1->currentText(), address);
        QCOMPARE(active()->LocationURL(), address);
    }

    void leavingTheBoxOpensNothingAndEnterOpensOnce()
    {
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        form().Text1->insertItem(0, server.url("/page2.html"));
        QSignalSpy before(active(), &WebView::BeforeNavigate2);
        QLineEdit *edit = form().Text1->lineEdit();
        QWidget *page = active()->engine()->focusProxy();
        for (const QString &typed : {server.url("/start"), server.url("/page2.html")}) {
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, typed); // the text of a list entry
            QTest::mouseClick(page, Qt::LeftButton, {}, {40, 40});
            QTRY_VERIFY(page->hasFocus());
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_Tab);
            QTRY_VERIFY(!form().Text1->hasFocus());
        }
        QCOMPARE(before.size(), 0);
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        for (int enter = 1; enter <= 2; ++enter) {
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_Return);
            QTRY_COMPARE_WITH_TIMEOUT(complete.size(), enter, webWaitMs);
            QCOMPARE(before.size(), enter);
        }
    }

    void typingIsKeptWhileAPageLoads()
    {
        QLineEdit *edit = form().Text1->lineEdit();
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        active()->Navigate(server.url("/page2.html")); // a travel step: not the user's doing
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, "127.0.0.1:1/");
        QVERIFY(waitForLoaded(complete, server.url("/page2.html")));
        form().navigator().Timer5_Timer();
        QTest::keyClicks(edit, "typed");
        QCOMPARE(edit->text(), QString("127.0.0.1:1/typed"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(form().Text1->itemText(form().Text1->count() - 1), QString("http://127.0.0.1:1/typed"));
    }

    void aScriptAddressIsRefused()
    {
        QSignalSpy before(active(), &WebView::BeforeNavigate2);
        form().Text1->lineEdit()->setFocus();
        QTest::keyClick(form().Text1->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form().Text1->lineEdit(), "javascript:document.title='x'");
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(form().statusBar->text().startsWith("A script address is not opened: javascript:"));
        QVERIFY(before.isEmpty());
        QCOMPARE(active()->LocationName(), QString("Start"));
    }

    void aLocalFileOpensAsTyped_data()
    {
        QTest::addColumn<bool>("asPath");
        QTest::newRow("file address") << false;
        QTest::newRow("path") << true;
    }
    void aLocalFileOpensAsTyped()
    {
        QFETCH(bool, asPath);
        browser->folder.write("page.html", {"<html><head><title>Local file</title></head><body>local</body></html>"});
        const QString address = QUrl::fromLocalFile(browser->folder.path("page.html")).toString();
        QVERIFY(address.startsWith("file:///"));
        form().Text1->setEditText(asPath ? browser->folder.path("page.html") : address);
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QCOMPARE(form().Text1->currentText(), address);
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationName(), QString("Local file"), webWaitMs);
        QCOMPARE(active()->LocationURL(), address);
    }
};

TAMZO_TEST_MAIN(tst_AddressBox)
#include "tst_addressbox.moc"
