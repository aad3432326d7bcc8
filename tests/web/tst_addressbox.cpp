#include "browserfixture.h"
#include "browsing/addressrules.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QRegularExpression>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolBar>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineView>

// The address box opens exactly what was typed; what cannot be opened says so on the page.
class tst_AddressBox : public BrowserTest
{
    Q_OBJECT
private:
    // The user clicks into the box, selects what it shows and types over it.
    QLineEdit *typeOver(const QString &text)
    {
        QLineEdit *edit = form().Text1->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        return edit;
    }
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

    // Words are searched for with the language's query address, from the box and the search
    // button; a language without one opens them as an address, as before.
    void wordsAreSearchedForWhereTheLanguageSaysHow_data()
    {
        QTest::addColumn<bool>("languageSearches");
        QTest::addColumn<bool>("button");
        QTest::newRow("Enter") << true << false;
        QTest::newRow("search button") << true << true;
        QTest::newRow("no query address in the language") << false << false;
    }
    void wordsAreSearchedForWhereTheLanguageSaysHow()
    {
        QFETCH(bool, languageSearches);
        QFETCH(bool, button);
        const QStringList query{"SEARCH_QUERY=" + server.url("/find?q=%s")};
        browser->writeLanguage("English", server, 5, 223, languageSearches ? query : QStringList());
        form().dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, "LANG:ENGLISH");
        const int searchesBefore = server.requests().filter("/find").size();
        QLineEdit *edit = typeOver("hello world");
        if (button)
            form().dispatcher().cmdBar_ButtonClick(2, "GOOGLE");
        else
            QTest::keyClick(edit, Qt::Key_Return);
        if (languageSearches) {
            QTRY_COMPARE_WITH_TIMEOUT(server.requests().filter("/find?q=hello%20world").size(), searchesBefore + 1,
                                      webWaitMs);
        } else {
            QVERIFY(waitForDocument(active()));
            QCOMPARE(edit->text(), "http://hello world");
            QCOMPARE(server.requests().filter("/find").size(), searchesBefore);
        }
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

    // Going back or forward to a page that could not be opened shows the address that failed, in
    // the box and as the tab's caption; the program's own notice has no address the user could read.
    void returningToAFailedPageShowsItsAddress_data()
    {
        QTest::addColumn<QString>("failed");
        QTest::addColumn<bool>("forward");
        QTest::newRow("back, nothing answers there") << "http://127.0.0.1:1/nothing" << false;
        QTest::newRow("forward, nothing answers there") << "http://127.0.0.1:1/nothing" << true;
        QTest::newRow("back, typed with a blank") << "http://hello world" << false;
    }
    void returningToAFailedPageShowsItsAddress()
    {
        QFETCH(QString, failed);
        QFETCH(bool, forward);
        QStringList boxShowed;
        connect(form().Text1, &QComboBox::editTextChanged, this, [&](const QString &text) { boxShowed << text; });
        const auto clickButton = [this](const char *key) {
            QAction *action = form().findChild<QAction *>(key);
            QTRY_VERIFY_WITH_TIMEOUT(action->isEnabled(), webWaitMs);
            QWidget *button = form().cmdBar0->widgetForAction(action);
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        };
        const auto shows = [this](const QString &text) {
            return QTest::qWaitFor([&] { return shownText().contains(text); }, webWaitMs);
        };
        const QString notice = "This address cannot be opened: " + failed.toHtmlEscaped();
        QTest::keyClick(typeOver(failed), Qt::Key_Return);
        QVERIFY(shows(notice));
        if (forward) {
            clickButton("BACK");
            QVERIFY(shows("start"));
            clickButton("NEXT");
        } else {
            QTest::keyClick(typeOver(server.url("/page2.html")), Qt::Key_Return);
            QVERIFY(shows("page 2"));
            clickButton("BACK");
        }
        QVERIFY(shows(notice));
        QTRY_VERIFY_WITH_TIMEOUT(!active()->Busy(), webWaitMs);
        form().navigator().Timer5_Timer();
        QCOMPARE(form().Text1->currentText(), failed);
        QCOMPARE(active()->LocationURL(), failed);
        QString caption = failed;
        AddressRules::TabCaptionFromAddress(caption);
        QCOMPARE(form().tabs().TabCaption(0), caption);
        QVERIFY2(boxShowed.filter(QRegularExpression("^data:", QRegularExpression::CaseInsensitiveOption)).isEmpty(),
                 qPrintable(boxShowed.join('\n')));
    }

    void leavingTheBoxOpensNothingAndEnterOpensOnce()
    {
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        form().Text1->insertItem(0, server.url("/page2.html"));
        QSignalSpy before(active(), &WebView::BeforeNavigate2);
        QLineEdit *edit = form().Text1->lineEdit();
        QWidget *page = active()->engine()->focusProxy();
        for (const QString &typed : {server.url("/start"), server.url("/page2.html")}) { // the second is a list entry
            typeOver(typed);
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
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        active()->Navigate(server.url("/page2.html")); // a travel step: not the user's doing
        QLineEdit *edit = typeOver("127.0.0.1:1/");
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
        QTest::keyClick(typeOver("javascript:document.title='x'"), Qt::Key_Return);
        QVERIFY(form().statusBar->text().startsWith("A script address is not opened: javascript:"));
        QVERIFY(before.isEmpty());
        QCOMPARE(active()->LocationName(), QString("Start"));
    }

    void aLocalFileOpensAsTyped()
    {
        browser->folder.write("page.html", {"<html><head><title>Local file</title></head><body>local</body></html>"});
        const QString address = QUrl::fromLocalFile(browser->folder.path("page.html")).toString();
        QVERIFY(address.startsWith("file:///"));
        for (const QString &typed : {address, browser->folder.path("page.html")}) { // an address, a path
            QSignalSpy complete(active(), &WebView::DocumentComplete);
            QTest::keyClick(typeOver(typed), Qt::Key_Return);
            QCOMPARE(form().Text1->currentText(), address);
            QVERIFY(waitForLoaded(complete, address));
            QCOMPARE(active()->LocationName(), QString("Local file"));
        }
    }

    void aLoopOfAlertsLeavesTheProgramInCharge_data()
    {
        QTest::addColumn<QString>("atSecondBox");
        QTest::newRow("stop the page's dialogs") << "stop";
        QTest::newRow("another address") << "address";
        QTest::newRow("exit") << "exit";
    }
    // A page that shows one box after another never takes the program's own commands away.
    void aLoopOfAlertsLeavesTheProgramInCharge()
    {
        server.setPage("/alerts", "<html><body><script>for (var n = 1; ; ++n) alert('again ' + n);</script></body></html>");
        const auto openBox = [this] { return form().findChild<QDialog *>("pageDialog", Qt::FindDirectChildrenOnly); };
        QFETCH(QString, atSecondBox);
        // The page waits inside each box, so the user's part runs from the event loop.
        QPointer<QDialog> seen;
        QStringList stopOffered;
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            QDialog *box = openBox();
            if (!box || box == std::exchange(seen, box))
                return;
            const qsizetype boxes = stopOffered.size() + 1;
            auto *stop = box->findChild<QPushButton *>("stopPageDialogs");
            stopOffered << (stop ? "offered" : "not offered");
            if (boxes != 2) // the first, and any that should not have come
                QTest::mouseClick(box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
            else if (atSecondBox == "stop" && stop)
                QTest::mouseClick(stop, Qt::LeftButton);
            else if (atSecondBox == "exit")
                QTest::mouseClick(form().cmdBar0->widgetForAction(form().bars().action("EXIT0")), Qt::LeftButton);
            else
                QTest::keyClick(typeOver(server.url("/page2.html")), Qt::Key_Return);
        });
        user.start(50);
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        QTest::keyClick(typeOver(server.url("/alerts")), Qt::Key_Return);
        QVERIFY(waitUntil([&] { return stopOffered.size() >= 2 && !openBox(); }));
        QCOMPARE(stopOffered, (QStringList{"not offered", "offered"}));
        if (atSecondBox == "exit") {
            QVERIFY(!form().isVisible());
            QVERIFY(QFile::exists(browser->folder.path("Data/TamzoTravel.Hys")));
            return;
        }
        if (atSecondBox == "stop")
            QTest::keyClick(typeOver(server.url("/page2.html")), Qt::Key_Return);
        QVERIFY(waitForLoaded(complete, server.url("/page2.html")));
        QCOMPARE(stopOffered.size(), 2);
    }
};

TAMZO_TEST_MAIN(tst_AddressBox)
#include "tst_addressbox.moc"
