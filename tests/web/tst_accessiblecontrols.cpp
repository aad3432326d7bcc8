#include "browserfixture.h"
#include "browsing/navigator.h"
#include "browsing/webview.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "commands/dispatcher.h"
#include "linktables/frmtab.h"
#include "modaldriver.h"
#include "testmain.h"
#include "travel/travelengine.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>

// What a screen reader finds in the windows, and the keyboard's way through the command bars.
class tst_AccessibleControls : public BrowserTest
{
    Q_OBJECT
private:
    // The controls a user acts on: each must be announced by a name.
    static inline const QList<QAccessible::Role> interactive{
        QAccessible::PushButton, QAccessible::ButtonMenu, QAccessible::ButtonDropDown, QAccessible::MenuItem,
        QAccessible::PageTab,    QAccessible::EditableText, QAccessible::ComboBox,   QAccessible::Table,
        QAccessible::CheckBox,   QAccessible::RadioButton, QAccessible::ProgressBar};

    // Walks the shown part of an accessible tree and the menus, shown or not; the page's own
    // content is the page's business.
    static void walk(QAccessibleInterface *node, QStringList &unnamed, QHash<QString, QString> &names)
    {
        if (!node || qobject_cast<QWebEngineView *>(node->object()))
            return;
        const bool ofMenu = qobject_cast<QMenu *>(node->object()) || qobject_cast<QAction *>(node->object());
        if (node->state().invisible && !ofMenu)
            return;
        const QString name = node->text(QAccessible::Name);
        const QString key = node->object() ? node->object()->objectName() : QString();
        if (interactive.contains(node->role())) {
            if (name.trimmed().isEmpty())
                unnamed.append(QString("%1 role %2 under %3").arg(key).arg(node->role()).arg(node->parent()->text(QAccessible::Name)));
            auto *button = qobject_cast<QToolButton *>(node->object());
            names.insert(button && button->defaultAction() ? button->defaultAction()->objectName() : key, name);
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), unnamed, names);
    }

    struct Tree
    {
        QStringList unnamed;
        QHash<QString, QString> names;
    };
    static Tree walkAll(const QList<QObject *> &roots)
    {
        Tree tree;
        for (QObject *root : roots)
            walk(QAccessible::queryAccessibleInterface(root), tree.unnamed, tree.names);
        return tree;
    }
    // The main window and, as if dropped down, every one of its menus.
    Tree walkMainWindow()
    {
        QList<QObject *> roots{&form()};
        for (const QString &title : CommandCatalogue::menuTitles)
            roots.append(form().bars().menu(title));
        return walkAll(roots);
    }

    void startIn(const QString &language)
    {
        browser->folder.stageDelivered();
        QFile::remove(browser->folder.path("TamzoFirst.txt"));
        for (const char *each : {"English", "Italiano"}) {
            const QString file = QString("Lang_") + each + ".txt";
            QFile::remove(browser->folder.path("Languages/" + file));
            QVERIFY(QFile::copy(browser->folder.path(file), browser->folder.path("Languages/" + file)));
        }
        browser->folder.write("Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), language});
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
    }

    // Runs the steps on the next menu that drops down other than the one given, as soon as it shows.
    void onMenu(QMenu *other, std::function<void(QMenu *)> steps)
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, other, steps] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu || menu == other || !menu->activeAction())
                return;
            poll->deleteLater();
            poll->stop();
            steps(menu);
        });
        poll->start(10);
    }

    static QWidget *focused() { return QApplication::focusWidget(); }
    static QString focusedKey()
    {
        auto *button = qobject_cast<QToolButton *>(focused());
        return button && button->defaultAction() ? button->defaultAction()->objectName() : QString();
    }

private slots:
    void initTestCase() { QAccessible::setActive(true); }
    void init() { browser = std::make_unique<BrowserFixture>(server); }
    void cleanup() { browser.reset(); }

    void noControlIsUnnamed_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("other");
        for (const char *window : {"main", "link tables"}) {
            QTest::addRow("%s, English", window) << window << "English" << "Italiano";
            QTest::addRow("%s, Italiano", window) << window << "Italiano" << "English";
        }
    }
    void noControlIsUnnamed()
    {
        QFETCH(QString, window);
        QFETCH(QString, language);
        QFETCH(QString, other);
        startIn(language);
        if (QTest::currentTestFailed())
            return;
        Tree tree;
        if (window == "main") {
            tree = walkMainWindow();
        } else {
            ModalDriver<frmTab> tables([&](frmTab &tab) { tree = walkAll({&tab}); });
            form().dispatcher().cmdBar_ButtonClick(0, "FAVORITE");
            QVERIFY(tables.seen);
            QVERIFY2(tree.names.value("GridList") != "", "the grid has a name");
        }
        QVERIFY2(tree.unnamed.isEmpty(), qPrintable(tree.unnamed.join("\n")));
        if (window != "main")
            return;
        const QString addressName = QAccessible::queryAccessibleInterface(form().Text1->lineEdit())->text(QAccessible::Name);
        // The other language renames the picture-only buttons, the menu entries and the address box.
        form().dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, "LANG:" + other.toUpper());
        const Tree renamed = walkMainWindow();
        QVERIFY2(renamed.unnamed.isEmpty(), qPrintable(renamed.unnamed.join("\n")));
        for (const char *key : {"BACK", "TRAVEL", "NAVIGATE:GO"}) {
            QVERIFY2(!renamed.names.value(key).isEmpty(), key);
            QVERIFY2(renamed.names.value(key) != tree.names.value(key), key);
        }
        QCOMPARE(renamed.names.value("BACK"), form().bars().action("BACK")->toolTip());
        QVERIFY(QAccessible::queryAccessibleInterface(form().Text1->lineEdit())->text(QAccessible::Name) != addressName);
    }

    // F10 reaches the bars, the arrows go along them, Enter opens a menu and runs its entry,
    // Escape gives the keyboard back to the page.
    void theKeyboardReachesEveryCommand()
    {
        startIn("English");
        // Back takes the keyboard once there is a page to go back to.
        form().Text1->setEditText(server.url("/startpage"));
        form().navigator().GoNavigate(1);
        QTRY_VERIFY_WITH_TIMEOUT(form().bars().action("BACK")->isEnabled(), webWaitMs);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        active()->SetFocus();
        QTest::keyClick(focused(), Qt::Key_F10);
        const QString first = focusedKey();
        QVERIFY2(form().bars().menu(first), qPrintable(first));
        // Right goes along every button of both bars and comes round again.
        QStringList passed{first};
        for (QTest::keyClick(focused(), Qt::Key_Right); focusedKey() != first; QTest::keyClick(focused(), Qt::Key_Right))
            passed.append(focusedKey());
        for (const char *key : {"BACK", "FAVORITE", "TRAVEL", "GOOGLE", "EXIT2"})
            QVERIFY2(passed.contains(key), key);
        while (focusedKey() != "TRAVEL")
            QTest::keyClick(focused(), Qt::Key_Left);
        // The menu opens on its first entry; Enter runs it and travel starts.
        QMenu *shown = nullptr;
        onMenu(nullptr, [&](QMenu *menu) {
            shown = menu;
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(shown, form().bars().menu("TRAVEL"));
        QVERIFY(form().travel().Timer2.isActive());
        QTRY_COMPARE(focusedKey(), QString("TRAVEL"));
        // In an open menu Right goes on to the next menu; Escape closes it.
        QMenu *next = nullptr;
        onMenu(nullptr, [&](QMenu *menu) {
            onMenu(menu, [&](QMenu *nextMenu) {
                next = nextMenu;
                QTest::keyClick(nextMenu, Qt::Key_Escape);
            });
            QTest::keyClick(menu, Qt::Key_Right);
        });
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(next, form().bars().menu("NAVIGATE"));
        QTRY_COMPARE(focusedKey(), QString("NAVIGATE"));
        // Escape on the bar is not the page's Escape (stop): it only gives the keyboard back.
        QStringList ran;
        form().dispatcher().setCommand(CommandBars::menuInstance, "EDIT:STOP", [&ran] { ran.append("EDIT:STOP"); });
        QTest::keyClick(focused(), Qt::Key_Escape);
        QVERIFY(ran.isEmpty());
        QTRY_COMPARE(focused(), active()->engine()->focusProxy());
        // A plain button runs at Enter: the link-table window opens.
        ModalDriver<frmTab> tables([](frmTab &) {});
        QTest::keyClick(focused(), Qt::Key_F10);
        while (focusedKey() != "FAVORITE")
            QTest::keyClick(focused(), Qt::Key_Left);
        QTest::keyClick(focused(), Qt::Key_Space);
        QVERIFY(tables.seen);
    }
};

TAMZO_TEST_MAIN(tst_AccessibleControls)
#include "tst_accessiblecontrols.moc"
