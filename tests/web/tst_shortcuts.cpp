#include "browserfixture.h"
#include "browsing/findbar.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "testmain.h"
#include "travel/travelengine.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWebEngineView>

// The usual browser keys run the commands of their menu entries, wherever the focus is.
class tst_Shortcuts : public BrowserTest
{
    Q_OBJECT
private:
    QWidget *focusPlace(const QString &place)
    {
        return place == "page" ? active()->engine()->focusProxy() : form().Text1->lineEdit();
    }

private slots:
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        form().activateWindow();
    }
    void cleanup() { browser.reset(); }

    void eachKeyRunsItsCommandAndStopsTravel_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("command");
        const struct
        {
            const char *name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char *command;
        } keys[] = {
            {"Ctrl+L", Qt::Key_L, Qt::ControlModifier, "KEY:ADDRESS"},
            {"F6", Qt::Key_F6, Qt::NoModifier, "KEY:ADDRESS"},
            {"F5", Qt::Key_F5, Qt::NoModifier, "NAVIGATE:REFRESH"},
            {"Ctrl+R", Qt::Key_R, Qt::ControlModifier, "NAVIGATE:REFRESH"},
            {"Ctrl+F", Qt::Key_F, Qt::ControlModifier, "EDIT:FINDDOC"},
            {"Alt+Left", Qt::Key_Left, Qt::AltModifier, "NAVIGATE:BACK"},
            {"Alt+Right", Qt::Key_Right, Qt::AltModifier, "NAVIGATE:NEXT"},
            {"Escape", Qt::Key_Escape, Qt::NoModifier, "EDIT:STOP"},
            {"Ctrl+P", Qt::Key_P, Qt::ControlModifier, "EDIT:PRINT"},
        };
        for (const char *place : {"page", "address box"}) {
            for (const auto &k : keys)
                QTest::addRow("%s in the %s", k.name, place)
                    << QString(place) << int(k.key) << k.modifiers << QString(k.command);
        }
    }
    void eachKeyRunsItsCommandAndStopsTravel()
    {
        QFETCH(QString, place);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, command);
        // Every command the keys reach records itself instead of acting.
        QStringList ran;
        for (const char *each : {"KEY:ADDRESS", "NAVIGATE:REFRESH", "EDIT:FINDDOC", "NAVIGATE:BACK", "NAVIGATE:NEXT",
                                 "EDIT:STOP", "EDIT:PRINT"})
            form().dispatcher().setCommand(CommandBars::menuInstance, each, [&ran, each] { ran.append(each); });
        form().travel().Timer2.start();
        QWidget *focus = focusPlace(place);
        QVERIFY(focus);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key(key), modifiers);
        QCOMPARE(ran, QStringList{command});
        QVERIFY(!form().travel().Timer2.isActive());
    }

    void addressKeysSelectTheAddressFromThePage_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("F6") << int(Qt::Key_F6) << Qt::KeyboardModifiers();
    }
    void addressKeysSelectTheAddressFromThePage()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QWidget *page = active()->engine()->focusProxy();
        page->setFocus();
        QTest::keyClick(page, Qt::Key(key), modifiers);
        QLineEdit *edit = form().Text1->lineEdit();
        // The box hands its focus on to its line edit.
        QVERIFY(form().focusWidget() == form().Text1 || form().focusWidget() == edit);
        QCOMPARE(edit->selectedText(), server.url("/start"));
    }

    void escapeInTheFindBarClosesIt()
    {
        form().dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, "EDIT:FINDDOC");
        QWidget *findText = form().focusWidget();
        QVERIFY(form().findBar().isVisible());
        QVERIFY(findText && form().findBar().isAncestorOf(findText));
        bool stopped = false;
        form().dispatcher().setCommand(CommandBars::menuInstance, "EDIT:STOP", [&] { stopped = true; });
        QTest::keyClick(findText, Qt::Key_Escape);
        QVERIFY(!form().findBar().isVisible());
        QVERIFY(!stopped);
    }
};

TAMZO_TEST_MAIN(tst_Shortcuts)
#include "tst_shortcuts.moc"
