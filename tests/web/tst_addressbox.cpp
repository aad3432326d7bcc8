#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "testmain.h"

#include <QComboBox>
#include <QLineEdit>

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
    }
    void anAddressThatCannotBeOpenedIsNamedOnThePage()
    {
        QFETCH(QString, address);
        QFETCH(bool, typed);
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        if (typed) {
            form().Text1->setEditText(address);
            QTest::keyClick(form().Text1, Qt::Key_Return);
        } else {
            form().tabs().setHomeAddress(address);
            form().dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, "NAVIGATE:HOME");
        }
        QVERIFY(complete.wait(webWaitMs));
        const QString shown = shownText();
        QVERIFY2(shown.contains("This address cannot be opened:"), qPrintable(shown));
        QVERIFY2(shown.contains(address.toHtmlEscaped()), qPrintable(shown));
    }

    void aLocalFileOpensAsTyped()
    {
        browser->folder.write("page.html", {"<html><head><title>Local file</title></head><body>local</body></html>"});
        const QString address = QUrl::fromLocalFile(browser->folder.path("page.html")).toString();
        QVERIFY(address.startsWith("file:///"));
        form().Text1->setEditText(address);
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QCOMPARE(form().Text1->currentText(), address);
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationName(), QString("Local file"), webWaitMs);
        QCOMPARE(active()->LocationURL(), address);
    }
};

TAMZO_TEST_MAIN(tst_AddressBox)
#include "tst_addressbox.moc"
