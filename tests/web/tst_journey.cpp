#include "browserfixture.h"
#include "commands/commandbars.h"
#include "menuclick.h"
#include "testmain.h"
#include "travel/frmjourney.h"
#include "travel/journeyarrowitem.h"
#include "travel/journeyfiles.h"
#include "travel/journeyview.h"
#include "travel/travelengine.h"
#include "webwait.h"

#include <QAction>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QXmlStreamReader>
#include <csignal>
#include <unistd.h>

class tst_Journey : public BrowserTest
{
    Q_OBJECT
private:
    TravelEngine &travel() { return form().travel(); }
    QAction *action(const QString &key) { return form().bars().action(key); }

    // Clicks TRAVEL on the command bar and then the entry, with the mouse.
    void clickTravelEntry(const QString &key)
    {
        QVERIFY(chooseFromMenu(form().cmdBar0, action("TRAVEL"), action(key)));
    }

    // A step, once the page it opened has loaded (which may come before or after the step is done).
    QString step(double draw)
    {
        travel().setRandomSource([draw] { return draw; });
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        QSignalSpy loaded(active(), &WebView::DocumentComplete);
        travel().GO_Travel_Links();
        if (!done.wait(webWaitMs))
            return "no step";
        const QString opened = done.first().first().toString();
        return waitForLoaded(loaded, opened) ? opened : "not loaded: " + opened;
    }

    frmJourney *openWindow()
    {
        clickTravelEntry("TRAVEL:JOURNEY");
        frmJourney *window = form().findChild<frmJourney *>();
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }
    void closeWindow(frmJourney *window)
    {
        QPointer<frmJourney> closing = window;
        closing->close();
        QTRY_VERIFY(!closing);
    }
    // Shows the kept journey of that name, as the user picks it from the list.
    void choose(frmJourney *window, const QString &name)
    {
        const int index = window->journeyList->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        window->journeyList->setCurrentIndex(index);
        emit window->journeyList->activated(index);
    }
    QStringList arrowTexts(frmJourney *window)
    {
        QStringList texts;
        for (QGraphicsItem *item : window->picture->scene()->items())
            if (auto *arrow = dynamic_cast<JourneyArrowItem *>(item))
                texts << arrow->text();
        texts.sort();
        return texts;
    }
    // The texts of an SVG drawing.
    static QStringList svgTexts(const QByteArray &svg)
    {
        QStringList texts;
        QXmlStreamReader xml(svg);
        while (xml.readNextStartElement() || !xml.atEnd()) {
            if (xml.isStartElement() && xml.name() == u"text")
                texts << xml.readElementText();
            else if (!xml.isStartElement())
                xml.readNext();
        }
        return texts;
    }
    // A Graphviz program this test started that still runs, or 0.
    static qint64 layoutProcess()
    {
        for (const QString &process : QDir("/proc").entryList(QDir::Dirs)) {
            QFile stat("/proc/" + process + "/stat");
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray fields = stat.readAll();
            const qsizetype open = fields.indexOf('('), close = fields.lastIndexOf(')');
            const QByteArray name = fields.mid(open + 1, close - open - 1);
            const QList<QByteArray> after = fields.mid(close + 2).split(' ');
            if ((name == "dot" || name == "sfdp") && after.value(1).toLongLong() == ::getpid() && after.value(0) != "Z")
                return process.toLongLong();
        }
        return 0;
    }

private slots:
    void init() { browser = std::make_unique<BrowserFixture>(server); }
    void cleanup() { browser.reset(); }

    void explorerEntriesAreKeptAndSteer()
    {
        browser->folder.write("Data/TamzoExplorer.Opt", {" 0", " 1", " 0", " 1"});
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        const QStringList keys = {"TRAVEL:SAMEPAGE", "TRAVEL:NEWPAGES", "TRAVEL:SITE", "TRAVEL:JUMPBACK"};
        QList<bool> checks;
        for (const QString &key : keys)
            checks << action(key)->isChecked();
        QCOMPARE(checks, (QList<bool>{false, true, false, true}));
        // A language file without the entry shows the built-in English text.
        QVERIFY(!action("TRAVEL:SAMEPAGE")->text().isEmpty());

        clickTravelEntry("TRAVEL:SAMEPAGE");
        clickTravelEntry("TRAVEL:JUMPBACK");
        QCOMPARE(browser->folder.readLines("Data/TamzoExplorer.Opt"), (QStringList{" 1", " 1", " 0", " 0"}));

        // The place on the page shown comes first, yet the step goes to the other page.
        server.setPage("/places", pageWithLinks({server.url("/places#top"), server.url("/other")}));
        QVERIFY(navigateAndWait(active(), server.url("/places")));
        QCOMPARE(step(0.0), server.url("/other"));

    }

    void eachRunKeepsItsJourney()
    {
        const QStringList earlier = {"10:00:00  http://127.0.0.1:1/old"};
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", earlier);
        browser->folder.write("TravelLog.txt", earlier);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        server.setPage("/a", pageWithLinks({server.url("/b")}));
        server.setPage("/b", pageWithLinks({server.url("/a")}));
        QVERIFY(navigateAndWait(active(), server.url("/a")));
        QCOMPARE(step(0.0), server.url("/b"));
        QCOMPARE(step(0.0), server.url("/a"));

        const QStringList journeys = JourneyFiles::kept(state().appFolder);
        QCOMPARE(journeys.size(), 2);
        const QStringList log = browser->folder.readLines("TravelLog.txt");
        QCOMPARE(JourneyFiles::addressesOf(log), (QStringList{server.url("/b"), server.url("/a")}));
        // The journey keeps the log's steps, and the titles of the pages they left.
        QStringList steps = *TextFile::readLines(journeys[0]);
        steps.removeIf([](const QString &line) { return JourneyFiles::parse(line).kind != JourneyFiles::Line::Step; });
        QCOMPARE(steps, log);
        QCOMPARE(*TextFile::readLines(journeys[1]), earlier);
    }

    void windowDrawsJourneysAndOpensAPage()
    {
        const QString a = server.url("/a"), b = server.url("/b");
        const QString other = "http://127.0.0.2:1/c";
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt",
                              {"10:00:00  " + a, "10:00:30  " + b, "10:01:00  " + other, "10:01:30  " + a + "#x",
                               "10:02:00  " + b, "a line without an address"});
        server.setPage("/a", "<title>Page A</title>" + pageWithLinks({b}));
        server.setPage("/b", "<title>Page B</title>" + pageWithLinks({a}));
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        // A travel stopped before its first step.
        clickTravelEntry("TRAVEL:TRE");
        clickTravelEntry("TRAVEL:STOP");
        QTest::keyClick(&form(), Qt::Key_J, Qt::ControlModifier);
        frmJourney *window = form().findChild<frmJourney *>();
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        // This run has no steps yet: it is listed first as such, and the newest earlier journey is shown.
        QCOMPARE(window->journeyList->count(), 2);
        QCOMPARE(window->journeyList->itemText(0), QString("This run's journey (no steps yet)"));
        QCOMPARE(window->journeyList->currentIndex(), 1);

        // The earlier journey: three pages on two hosts, two of them visited twice; the two steps
        // from a to b are one arrow.
        QCOMPARE(window->graph().nodes.size(), size_t(3));
        QCOMPARE(window->graph().hosts.size(), 2);
        QList<int> visits;
        for (const JourneyGraph::Node &node : window->graph().nodes)
            visits << node.visits;
        QCOMPARE(visits, (QList<int>{2, 2, 1}));
        QCOMPARE(arrowTexts(window), (QStringList{"3", "4", "×2: 2, 5"}));
        QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), webWaitMs);
        // Exports of the picture.
        browser->dialogs.saveAnswer = browser->folder.path("journey.svg");
        QTest::mouseClick(window->exportSvg, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->exporting(), webWaitMs);
        QVERIFY(svgTexts(browser->folder.readBytes("journey.svg")).contains("×2: 2, 5"));
        browser->dialogs.saveAnswer = browser->folder.path("journey.png");
        QTest::mouseClick(window->exportPng, Qt::LeftButton);
        QVERIFY(!QImage(browser->folder.path("journey.png")).isNull());
        browser->dialogs.saveAnswer = browser->folder.path("missing/journey.png");
        QTest::mouseClick(window->exportPng, Qt::LeftButton);
        QCOMPARE(browser->dialogs.messages.size(), 1);
        QVERIFY(browser->dialogs.messages[0].contains("missing/journey.png"));
        // This run's journey grows with each step, its pages named by their titles.
        QVERIFY(navigateAndWait(active(), a));
        QCOMPARE(step(0.0), b);
        QCOMPARE(window->journeyList->currentIndex(), 0);
        QCOMPARE(step(0.0), a);
        QCOMPARE(window->graph().nodes.size(), size_t(2));
        QCOMPARE(window->graph().nodes[0].label, QString("Page B"));
        // A page travel comes back to keeps its title while it loads again.
        QCOMPARE(window->graph().nodes[window->graph().nodeOf(a)].label, QString("Page A"));
        // A click on a page opens it in the main window and stops travel.
        form().travel().startTravel(1);
        QTRY_VERIFY(!window->layingOut());
        QTest::mouseClick(window->picture->viewport(), Qt::LeftButton, {}, window->pagePosition(0));
        QVERIFY(!form().travel().Timer2.isActive());
        QCOMPARE(form().Text1->currentText(), b);
        QTRY_COMPARE_WITH_TIMEOUT(active()->LocationURL(), b, webWaitMs);
    }

    // Each travel of the run is drawn from the page it began on; titles, typed as they are, stay
    // with the journey when it is opened later.
    void travelsAreDrawnFromWhereTheyBegan()
    {
        const QString s = server.url("/s"), a = server.url("/a"), b = server.url("/b"), c = server.url("/c"),
                      d = server.url("/d");
        const QString escapes = R"(D \N \G \l "q" <b>)";
        server.setPage("/s", "<title>Page S</title>" + pageWithLinks({a}));
        server.setPage("/a", "<title>Page A</title>" + pageWithLinks({b}));
        server.setPage("/b", "<title>Page B</title>" + pageWithLinks({a}));
        // A title as long as a page may make it.
        server.setPage("/c", "<title>Page C " + QByteArray(1 << 20, 'c') + "</title>" + pageWithLinks({d}));
        server.setPage("/d", "<title>" + escapes.toHtmlEscaped().toUtf8() + "</title>" + pageWithLinks({c}));
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        QVERIFY(navigateAndWait(active(), s));
        clickTravelEntry("TRAVEL:TRE");
        for (const QString &next : {a, b}) {
            QCOMPARE(step(0.0), next);
        }
        clickTravelEntry("TRAVEL:STOP");
        QVERIFY(navigateAndWait(active(), c));
        clickTravelEntry("TRAVEL:TRE");
        QCOMPARE(step(0.0), d);

        frmJourney *window = openWindow();
        QVERIFY(window);
        const JourneyGraph &graph = window->graph();
        QStringList pages;
        for (const JourneyGraph::Node &node : graph.nodes)
            pages << node.address;
        QCOMPARE(pages, (QStringList{s, a, b, c, d}));
        QCOMPARE(graph.travels, 2);
        QCOMPARE(graph.nodes[0].travelsBegun, QList<int>{1});
        QCOMPARE(graph.nodes[3].travelsBegun, QList<int>{2});
        QList<QList<int>> arrows;
        for (const JourneyGraph::Arrow &arrow : graph.arrows)
            arrows << QList<int>{arrow.from, arrow.to, arrow.steps.front()};
        QCOMPARE(arrows, (QList<QList<int>>{{0, 1, 1}, {1, 2, 2}, {3, 4, 3}}));
        QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), webWaitMs);
        browser->dialogs.saveAnswer = browser->folder.path("journey.svg");
        QTest::mouseClick(window->exportSvg, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->exporting(), webWaitMs);
        QVERIFY2(svgTexts(browser->folder.readBytes("journey.svg")).contains(escapes),
                 qPrintable(svgTexts(browser->folder.readBytes("journey.svg")).join(" | ")));
        closeWindow(window);

        // The same journey kept from an earlier run, which ended there.
        clickTravelEntry("TRAVEL:STOP");
        QVERIFY(QFile::copy(form().travel().journeyPath(), browser->folder.path("Journeys/Journey 2000-01-01 00-00-00.txt")));
        window = openWindow();
        choose(window, "Journey 2000-01-01 00-00-00");
        QStringList titles;
        for (const JourneyGraph::Node &node : window->graph().nodes)
            titles << node.label;
        QVERIFY(titles[3].startsWith("Page C ccc"));
        titles.removeAt(3);
        QCOMPARE(titles, (QStringList{"Page S", "Page A", "Page B", escapes}));
        // The journey of five pages is kept in a few short lines, its titles cut down to what is shown.
        QVERIFY(QFileInfo(form().travel().journeyPath()).size() < 4000);
    }

    void everyButtonSaysWhatItDoes()
    {
        browser->writeLanguage("English", server, 5, ProgramState::captionSlots - 1);
        QVERIFY(browser->start(server));
        frmJourney *window = openWindow();
        QVERIFY(window);
        const QStringList captions(state().captions.begin(), state().captions.end());
        for (const QPushButton *button : window->findChildren<QPushButton *>())
            QVERIFY2(!button->toolTip().isEmpty() && captions.contains(button->toolTip()), qPrintable(button->text()));
    }

    // A long journey is shown whole in the window, or zoomed.
    void pictureFitsTheWindowOrZooms()
    {
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines << QString("10:00:00  http://127.0.0.1:1/%1").arg(i);
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", lines);
        QVERIFY(browser->start(server));
        frmJourney *window = openWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), webWaitMs);
        const auto shownWhole = [window] {
            const QRect shown = window->picture->mapFromScene(window->picture->sceneRect()).boundingRect();
            return window->picture->viewport()->rect().adjusted(-2, -2, 2, 2).contains(shown);
        };
        QVERIFY(window->fitToWindow->isChecked());
        QVERIFY(shownWhole());
        const double fitted = window->picture->transform().m11();
        QTest::mouseClick(window->zoomIn, Qt::LeftButton);
        QTest::mouseClick(window->zoomIn, Qt::LeftButton);
        QVERIFY(!window->fitToWindow->isChecked());
        QVERIFY(!shownWhole());
        QVERIFY(qFuzzyCompare(window->picture->transform().m11(), fitted * 1.25 * 1.25));
        QTest::mouseClick(window->fitToWindow, Qt::LeftButton);
        QVERIFY(shownWhole());
    }

    // The window opens with the picture fitted to it, a short journey as a long one; a zoom the
    // user chose stays when the window changes size.
    void pictureOpensFittedAndKeepsTheZoomChosen_data()
    {
        QTest::addColumn<int>("steps");
        QTest::newRow("three pages") << 3;
        QTest::newRow("forty pages") << 40;
    }
    void pictureOpensFittedAndKeepsTheZoomChosen()
    {
        QFETCH(int, steps);
        QStringList lines;
        for (int i = 0; i < steps; ++i)
            lines << QString("10:00:00  http://127.0.0.1:1/%1").arg(i);
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", lines);
        QVERIFY(browser->start(server));
        frmJourney *window = openWindow();
        QVERIFY(window);
        QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), webWaitMs);
        QCOMPARE(window->shownSteps(), steps);
        // Fitted: the whole picture inside the viewport, reaching across it or from top to bottom.
        const QRect viewport = window->picture->viewport()->rect();
        const QRect shown = window->picture->mapFromScene(window->picture->sceneRect()).boundingRect();
        QVERIFY(window->fitToWindow->isChecked());
        QVERIFY2(viewport.adjusted(-2, -2, 2, 2).contains(shown), qPrintable(QString("%1x%2").arg(shown.width()).arg(shown.height())));
        QVERIFY2(shown.width() >= viewport.width() - 4 || shown.height() >= viewport.height() - 4,
                 qPrintable(QString("%1x%2 in %3x%4").arg(shown.width()).arg(shown.height()).arg(viewport.width()).arg(viewport.height())));
        QTest::mouseClick(window->zoomOut, Qt::LeftButton);
        const QTransform chosen = window->picture->transform();
        window->resize(window->width() + 200, window->height() + 100);
        QTRY_VERIFY(window->picture->viewport()->width() > viewport.width());
        QCOMPARE(window->picture->transform(), chosen);
        QVERIFY(!window->fitToWindow->isChecked());
    }

    void windowClosedWhileLayingOutOpensAgain()
    {
        QStringList lines;
        QRandomGenerator walk(5);
        for (int i = 0; i < 5000; ++i)
            lines << QString("10:00:00  http://127.0.0.1:1/%1").arg(walk.bounded(1500));
        browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", lines);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        for (int opening = 0; opening < 2; ++opening) {
            clickTravelEntry("TRAVEL:JOURNEY");
            QPointer<frmJourney> window = form().findChild<frmJourney *>();
            QVERIFY(window);
            QCOMPARE(window->shownSteps(), 5000);
            if (opening == 0) {
                QVERIFY(window->layingOut());
                // Graphviz is held where it is, as if the layout took forever: a close that
                // waited for it would never come back; this one ends it, and the program reaps
                // it once it is gone.
                qint64 layout = 0;
                QTRY_VERIFY((layout = layoutProcess()) != 0);
                QCOMPARE(::kill(pid_t(layout), SIGSTOP), 0);
                QVERIFY(QTest::qWaitForWindowActive(window));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY(!window);
                QTRY_VERIFY(!QFile::exists("/proc/" + QString::number(layout)));
            } else {
                QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), 60000);
                QVERIFY(window->counts->text().contains(QString::number(window->graph().nodes.size())));
                QCOMPARE(window->picture->scene()->items().size(),
                         qsizetype(window->graph().nodes.size() + window->graph().arrows.size()));
            }
        }
    }

    // A journey file cut short, edited or of another kind opens as far as it can be read, or is
    // refused with a message.
    void damagedJourneyOpensOrIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("message");
        const QByteArray line = "10:00:00  http://127.0.0.1:1/page\r\n";
        QTest::newRow("cut short") << line + line + "10:00:0" << 2 << QString();
        QTest::newRow("garbled") << line + QByteArray("\x00\xff\x01junk\r\n\x80\x81  \r\n", 16) + "start\t\r\ntitle\tno\r\n" +
                                        line
                                 << 2 << QString();
        QTest::newRow("another kind of file") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", 16) << 0
                                              << "This journey cannot be read:";
        QTest::newRow("oversized") << line.repeated((9 << 20) / line.size() + 1) << 0 << "This journey is too large to show:";
    }
    void damagedJourneyOpensOrIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, steps);
        QFETCH(QString, message);
        browser->folder.writeBytes("Journeys/Journey 2020-01-01 10-00-00.txt", content);
        QVERIFY(browser->start(server));
        frmJourney *window = openWindow();
        QVERIFY(window);
        QCOMPARE(window->shownSteps(), steps);
        QCOMPARE(browser->dialogs.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY(browser->dialogs.messages[0].startsWith(message + '\n' + browser->folder.path("Journeys/")));
    }

    // Escape closes the list's drop-down first, then the window.
    void escapeClosesTheListThenTheWindow()
    {
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        QPointer<frmJourney> window = openWindow();
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QTest::mouseClick(window->journeyList, Qt::LeftButton);
        QTRY_VERIFY(window->journeyList->view()->isVisible());
        QTest::keyClick(window->journeyList->view(), Qt::Key_Escape);
        QTRY_VERIFY(!window->journeyList->view()->isVisible());
        QVERIFY(window->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!window);
    }

    void deletingAJourneyAsksFirst_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("the default answer") << QList<bool>{} << false;
        QTest::newRow("no") << QList<bool>{false} << false;
        QTest::newRow("yes") << QList<bool>{true} << true;
    }
    void deletingAJourneyAsksFirst()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(bool, deleted);
        for (const char *name : {"2020-01-01 10-00-00", "2020-01-02 10-00-00"}) {
            browser->folder.write(QString("Journeys/Journey %1.txt").arg(name), {"10:00:00  http://127.0.0.1:1/a"});
            browser->folder.write(QString("Journeys/Journey %1.sites").arg(name), {"known.test"});
        }
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        frmJourney *window = openWindow();
        // The list has room for its whole names.
        QVERIFY(window->journeyList->width() >= window->journeyList->sizeHint().width());
        // This run's journey cannot be deleted.
        choose(window, "This run's journey (no steps yet)");
        QVERIFY(!window->deleteJourney->isEnabled());
        choose(window, "Journey 2020-01-01 10-00-00");
        QVERIFY(window->deleteJourney->isEnabled());
        browser->dialogs.questionAnswers = answers;
        QTest::mouseClick(window->deleteJourney, Qt::LeftButton);
        QCOMPARE(browser->dialogs.questions.size(), 1);
        QVERIFY(browser->dialogs.questions[0].endsWith("Journey 2020-01-01 10-00-00"));
        for (const char *kept : {".txt", ".sites"}) {
            QCOMPARE(browser->folder.exists(QString("Journeys/Journey 2020-01-01 10-00-00") + kept), !deleted);
            QVERIFY(browser->folder.exists(QString("Journeys/Journey 2020-01-02 10-00-00") + kept));
        }
        QCOMPARE(window->journeyList->findText("Journey 2020-01-01 10-00-00") < 0, deleted);
        QCOMPARE(window->journeyList->count(), deleted ? 2 : 3);
    }
};

TAMZO_TEST_MAIN(tst_Journey)
#include "tst_journey.moc"
