#include "browserfixture.h"
#include "commands/commandbars.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

// A page that shows one box after another never takes the program's own commands away.
class tst_PageDialogs : public BrowserTest
{
    Q_OBJECT
private:
    static QDialog *openBox()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == "pageDialog" && window->isVisible())
                return qobject_cast<QDialog *>(window);
        }
        return nullptr;
    }

private slots:
    void init()
    {
        server.setPage("/alerts", "<html><body><script>for (var n = 1; ; ++n) alert('again ' + n);</script></body></html>");
        server.setPage("/page2.html", "<html><head><title>page 2</title></head><body>2</body></html>");
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    void aLoopOfAlertsLeavesTheProgramInCharge_data()
    {
        QTest::addColumn<QString>("atSecondBox");
        QTest::newRow("stop the page's dialogs") << "stop";
        QTest::newRow("another address") << "address";
        QTest::newRow("exit") << "exit";
    }
    void aLoopOfAlertsLeavesTheProgramInCharge()
    {
        QFETCH(QString, atSecondBox);
        QLineEdit *edit = form().Text1->lineEdit();
        // The page waits inside each box, so the user's part runs from the event loop.
        int boxes = 0;
        QPointer<QDialog> seen;
        QStringList stopOffered;
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            QDialog *box = openBox();
            if (!box || box == seen)
                return;
            seen = box;
            ++boxes;
            auto *stop = box->findChild<QPushButton *>("stopPageDialogs");
            stopOffered << (stop ? "offered" : "not offered");
            if (boxes != 2) // the first, and any that should not have come
                QTest::mouseClick(box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
            else if (atSecondBox == "stop" && stop)
                QTest::mouseClick(stop, Qt::LeftButton);
            else if (atSecondBox == "exit")
                QTest::mouseClick(form().cmdBar0->widgetForAction(form().bars().action("EXIT0")), Qt::LeftButton);
            else {
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, server.url("/page2.html"));
                QTest::keyClick(edit, Qt::Key_Return);
            }
        });
        user.start(50);
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        form().Text1->setEditText(server.url("/alerts"));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(waitUntil([&] { return boxes >= 2 && !openBox(); }));
        QCOMPARE(stopOffered, (QStringList{"not offered", "offered"}));
        if (atSecondBox == "exit") {
            QVERIFY(!form().isVisible());
            QVERIFY(QFile::exists(browser->folder.path("Data/TamzoTravel.Hys")));
            return;
        }
        if (atSecondBox == "stop") {
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, server.url("/page2.html"));
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QVERIFY(waitForLoaded(complete, server.url("/page2.html")));
        QCOMPARE(boxes, 2);
    }
};

TAMZO_TEST_MAIN(tst_PageDialogs)
#include "tst_pagedialogs.moc"
