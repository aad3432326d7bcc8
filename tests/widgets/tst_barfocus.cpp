#include "commands/barkeys.h"
#include "commands/commandbars.h"
#include "testmain.h"

#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// F10 puts the keyboard on a bar button; in every bar style the user must see which one.
class tst_BarFocus : public QObject
{
    Q_OBJECT

    // Pixels whose brightness changed by more than a faint shade.
    static int strongChanges(const QImage &before, const QImage &after)
    {
        int changed = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                changed += qAbs(qGray(before.pixel(x, y)) - qGray(after.pixel(x, y))) > 60;
        return changed;
    }

private slots:
    void theFocusedButtonStandsOut_data()
    {
        QTest::addColumn<int>("barStyle");
        for (int style = 0; style <= 3; ++style)
            QTest::addRow("style %d", style) << style;
    }

    void theFocusedButtonStandsOut()
    {
        QFETCH(int, barStyle);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *bar = new QToolBar;
        auto *page = new QLineEdit;
        layout->addWidget(bar);
        layout->addWidget(page);
        bar->addAction("Back");
        bar->addAction("Forward");
        bar->setStyleSheet(CommandBars::styleSheet(barStyle));
        new BarKeys(&window, {bar}, [page] { page->setFocus(); });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        page->setFocus();
        auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(bar->actions().first()));
        const QImage unfocused = bar->grab().toImage();

        QTest::keyClick(page, Qt::Key_F10);
        QVERIFY(button->hasFocus());
        const QImage focused = bar->grab().toImage();
        QCOMPARE(focused.size(), unfocused.size());
        // At least a frame's worth: the button's outline all round.
        QVERIFY2(strongChanges(unfocused, focused) >= button->width() + button->height(),
                 qPrintable(QString::number(strongChanges(unfocused, focused))));

        QTest::keyClick(button, Qt::Key_Escape);
        QVERIFY(page->hasFocus());
        QCOMPARE(bar->grab().toImage(), unfocused);
    }
};

TAMZO_TEST_MAIN(tst_BarFocus)
#include "tst_barfocus.moc"
