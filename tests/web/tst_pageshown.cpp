#include "browserfixture.h"
#include "browsing/addressrules.h"
#include "browsing/navigator.h"
#include "browsing/tabstrip.h"
#include "commands/commandbars.h"
#include "menuclick.h"
#include "pageclick.h"
#include "testmain.h"
#include "travel/travelengine.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>

// Whatever brought the page on screen, the address box, the tab's caption, the bookmark and the
// back and forward buttons are about that page.
class tst_PageShown : public BrowserTest
{
    Q_OBJECT
private:
    QString here(const QString &path) const { return server.url(path); }
    // The same server under another name, so that its pages get another caption.
    QString there(const QString &path) const { return QString("http://localhost:%1%2").arg(server.port()).arg(path); }
    static QString captionOf(QString address)
    {
        AddressRules::TabCaptionFromAddress(address);
        return address;
    }
    QAction *action(const QString &key) { return form().bars().action(key); }
    QToolButton *toolButton(const QString &key)
    {
        return qobject_cast<QToolButton *>(form().cmdBar0->widgetForAction(action(key)));
    }
    void clickButton(const QString &key)
    {
        QToolButton *button = toolButton(key);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    void choose(const QString &title, const QString &key) { chooseFromMenu(form().cmdBar0, action(title), action(key)); }
    QLineEdit *box() { return form().Text1->lineEdit(); }
    void typeAndEnter(const QString &text)
    {
        QTest::mouseClick(box(), Qt::LeftButton);
        box()->selectAll();
        QTest::keyClicks(box(), text);
        QTest::keyClick(box(), Qt::Key_Return);
    }
    // Typing the user then leaves without pressing Enter.
    void typeWithoutEnter()
    {
        QTest::mouseClick(box(), Qt::LeftButton);
        box()->selectAll();
        QTest::keyClicks(box(), "typed, then left");
    }
    bool shows(const QString &address)
    {
        return waitUntil([&] { return !active()->Busy() && active()->LocationURL() == address; });
    }

    // One of the ways a page comes that the user did not type, from the page with a link to the
    // other host; the address it brings, never the one typed last.
    QString reach(const QString &route)
    {
        typeAndEnter(here("/a"));
        if (!shows(here("/a")))
            return "the first page did not load";
        if (route == "a link") {
            typeWithoutEnter();
            clickPage(active(), {10, 10}, "l");
            return there("/b");
        }
        if (route == "back" || route == "forward") {
            clickPage(active(), {10, 10}, "l");
            if (!shows(there("/b")))
                return "the link did not load";
            if (route == "back") {
                typeAndEnter(here("/c"));
                if (!shows(here("/c")))
                    return "the second page did not load";
                typeWithoutEnter();
                clickButton("BACK");
                return there("/b");
            }
            clickButton("BACK");
            if (!shows(here("/a")))
                return "back did not load";
            typeWithoutEnter();
            clickButton("NEXT");
            return there("/b");
        }
        if (route == "a travel step") {
            // The user leaves the box for the page, then starts travel.
            typeWithoutEnter();
            QTest::mouseClick(active()->engine()->focusProxy(), Qt::LeftButton, {}, {10, 100});
            choose("TRAVEL", "TRAVEL:TRE");
            QSignalSpy stepped(&form().travel(), &TravelEngine::stepDone);
            form().travel().Timer2_Timer();
            stepped.wait(webWaitMs);
            return there("/b");
        }
        browser->folder.write("Data/TamzoBook.bm", {there("/b")});
        typeWithoutEnter();
        choose("NAVIGATE", "NAVIGATE:GO");
        return there("/b");
    }
    static void routes()
    {
        QTest::addColumn<QString>("route");
        for (const char *route : {"a link", "back", "forward", "a travel step", "the bookmark"})
            QTest::newRow(route) << route;
    }

private slots:
    void initTestCase()
    {
        server.setPage("/a", "<html><head><title>A</title></head><body style='margin:0'>"
                             "<a id='l' href='http://localhost:" + QByteArray::number(server.port()) +
                                 "/b' style='display:block;height:40px'>b</a></body></html>");
        server.setPage("/b", "<html><head><title>B</title></head><body>b</body></html>");
        server.setPage("/c", "<html><head><title>C</title></head><body>c</body></html>");
    }
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        form().Timer4_Timer();
    }
    void cleanup() { browser.reset(); }

    void boxCaptionAndBookmarkFollowThePageShown_data() { routes(); }
    void boxCaptionAndBookmarkFollowThePageShown()
    {
        QFETCH(QString, route);
        const QString shown = reach(route);
        QVERIFY2(shows(shown), qPrintable(active()->LocationURL()));
        QTRY_COMPARE(form().Text1->currentText(), shown);
        QCOMPARE(form().tabs().TabCaption(0), captionOf(shown));
        QTest::mouseMove(form().Tab1, form().Tab1->tabRect(0).center() + QPoint(1, 0));
        QTRY_COMPARE(form().Tab1->toolTip(), shown);
        choose("NAVIGATE", "NAVIGATE:PICK");
        QCOMPARE(form().statusBar->text(), "This page is bookmarked: " + shown);
        QCOMPARE(browser->folder.readLines("Data/TamzoBook.bm"), QStringList{shown});
        // What the user types next is kept while the box has the keyboard; Escape gives the page back.
        typeWithoutEnter();
        form().navigator().Timer5_Timer();
        QCOMPARE(form().Text1->currentText(), QString("typed, then left"));
        QTest::keyClick(box(), Qt::Key_Escape);
        QCOMPARE(form().Text1->currentText(), shown);
        QVERIFY(box()->hasFocus());
        // Later, from another page, the bookmark brings it back.
        typeAndEnter(here("/c"));
        QVERIFY(shows(here("/c")));
        choose("NAVIGATE", "NAVIGATE:GO");
        QVERIFY2(shows(shown), qPrintable(active()->LocationURL()));
    }

    void backAndForwardShowWhetherTheyCanAct()
    {
        const auto state = [this] {
            QStringList shown;
            for (const char *key : {"BACK", "NEXT"})
                shown << (toolButton(key)->isEnabled() ? "on" : "off");
            for (const char *key : {"NAVIGATE:BACK", "NAVIGATE:NEXT"})
                shown << (action(key)->isEnabled() ? "on" : "off");
            return shown.join(' ');
        };
        QCOMPARE(state(), QString("off off off off"));
        typeAndEnter(here("/a"));
        QVERIFY(shows(here("/a")));
        QTRY_COMPARE(state(), QString("on off on off"));
        clickButton("BACK");
        QVERIFY(shows(here("/start")));
        QTRY_COMPARE(state(), QString("off on off on"));
        // Another tab has its own history; coming back shows this one's again.
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(1).center());
        QCOMPARE(state(), QString("off off off off"));
        QTest::mouseClick(form().Tab1, Qt::LeftButton, {}, form().Tab1->tabRect(0).center());
        QCOMPARE(state(), QString("off on off on"));
    }

    // The drop-down offers what can be opened: no script address, no line of any length.
    void historyOffersWhatCanBeOpened()
    {
        browser.reset();
        browser = std::make_unique<BrowserFixture>(server);
        browser->folder.write("Data/TamzoTravel.Hys", {here("/a"), "javascript:alert(1)", "  JavaScript:void(0)",
                                                       "http://long.example/" + QString(200000, 'x'), here("/b")});
        QVERIFY(browser->start(server));
        QTest::mouseClick(form().Text1, Qt::LeftButton, {},
                          QPoint(form().Text1->width() - 5, form().Text1->height() / 2));
        QTRY_VERIFY(form().Text1->view()->isVisible());
        QStringList offered;
        for (int row = 0; row < form().Text1->view()->model()->rowCount(); ++row)
            offered << form().Text1->view()->model()->index(row, 0).data().toString();
        form().Text1->hidePopup();
        QCOMPARE(offered, (QStringList{here("/a"), here("/b")}));
    }

    void aTypedLocalFileThatOpensEntersTheHistory_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("a file") << true;
        QTest::newRow("no such file") << false;
    }
    void aTypedLocalFileThatOpensEntersTheHistory()
    {
        QFETCH(bool, exists);
        if (exists)
            browser->folder.write("page.html", {"<html><head><title>Local</title></head><body>local</body></html>"});
        const QString path = browser->folder.path("page.html");
        typeAndEnter(path);
        QVERIFY(waitForDocument(active()));
        const QStringList expected = exists ? QStringList{QUrl::fromLocalFile(path).toString()} : QStringList{};
        QStringList entries;
        for (int i = 0; i < form().Text1->count(); ++i)
            entries << form().Text1->itemText(i);
        QCOMPARE(entries, expected);
    }
};

TAMZO_TEST_MAIN(tst_PageShown)
#include "tst_pageshown.moc"
