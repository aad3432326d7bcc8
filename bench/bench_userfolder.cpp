// A full user folder: 105 link tables of 1,000 rows each, the 30 history entries the address box
// keeps and 1,000 kept journeys of 1,000 steps. Written to FOLDER with --make FOLDER (for
// bench/startup-user-folder, which starts the program from a copy of it through the shared
// start-up benchmark); otherwise made in a temporary folder, where the bench starts the main
// window on it and prints: the bytes the program read while starting and in its deferred
// start-up step (no journey is read then), the link-table window's opening (built, shown, first
// table painted) and its switching from table to table (read, filled, painted), the journey
// window's opening with its list of journeys and the list's opening (the drop-down shown). Each
// time is the median of its runs, with the slowest.
// Build and run:
//   cmake --build build --target bench_userfolder
//   QT_QPA_PLATFORM=offscreen build/bench/bench_userfolder
#include "browserfixture.h"
#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "linktables/frmtab.h"
#include "linktables/linkgridview.h"
#include "linktables/linkindex.h"
#include "platform/enginesetup.h"
#include "travel/frmjourney.h"
#include "travel/journeycommands.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int tables = 105, rowsPerTable = 1000, historyEntries = 30, journeys = 1000, stepsPerJourney = 1000;

void writeFile(const QString &path, const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("%s cannot be written", qPrintable(path));
    for (const QString &line : lines)
        file.write(line.toUtf8() + "\r\n");
}

void makeFolder(const QString &root)
{
    QRandomGenerator random(2026);
    QStringList index;
    for (int t = 0; t < 150; ++t)
        index << (t < tables ? QString("Links %1,%2").arg(t + 1).arg(rowsPerTable) : QString("Table %1,0").arg(t + 1));
    writeFile(root + "/Links/Links.Bok", index);
    for (int t = 0; t < tables; ++t) {
        QStringList rows;
        for (int r = 0; r < rowsPerTable; ++r) {
            const QString n = QString::number(random.bounded(1000000)).rightJustified(6, u'0');
            rows << QStringList{"A page about " + n, "https://example.org/" + QString::number(t) + "/articles/" + n,
                                "A note on " + n, r % 4 ? QString() : "secret-" + n, "example.org/articles/" + n,
                                "2026-12-08"}
                        .join(";-;");
        }
        std::sort(rows.begin(), rows.end());
        writeFile(root + "/Links/Links." + LinkIndex::tableExtension(t), rows);
    }
    QStringList history;
    for (int h = 0; h < historyEntries; ++h)
        history << QString("https://example.org/typed/%1").arg(h);
    writeFile(root + "/Data/TamzoTravel.Hys", history);
    for (int j = 0; j < journeys; ++j) {
        const QDateTime begun = QDateTime(QDate(2024, 1, 1), QTime(8, 0)).addSecs(qint64(j) * 7200);
        QStringList lines{"start\t08:00:00\thttps://example.org/start\tStart"};
        for (int s = 0; s < stepsPerJourney; ++s)
            lines << QString("08:%1:00  https://example.org/pages/%2").arg(s % 60, 2, 10, QChar('0')).arg(random.bounded(3000));
        lines << "stop\t16:00:00\thttps://example.org/end\tEnd";
        writeFile(root + "/Journeys/Journey " + begun.toString("yyyy-MM-dd HH-mm-ss") + ".txt", lines);
    }
}

void copyFolder(const QString &from, const QString &to)
{
    for (const char *sub : {"Links", "Data", "Journeys"}) {
        const QDir source(from + '/' + sub), target(to + '/' + sub);
        QDir().mkpath(target.path());
        for (const QString &name : source.entryList(QDir::Files)) {
            QFile::remove(target.filePath(name));
            QFile::copy(source.filePath(name), target.filePath(name));
        }
    }
}

// What this process has read from files and pipes so far.
qint64 bytesRead()
{
    QFile io("/proc/self/io");
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return 0;
}

void report(const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.1f ms, slowest %7.1f ms (%zu runs)\n", what, times[times.size() / 2], times.back(),
                times.size());
}

double since(const QElapsedTimer &clock) { return clock.nsecsElapsed() / 1e6; }

void measureLinkTables(BrowserFixture &browser)
{
    std::vector<double> openings, switches;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        frmTab window(*browser.state, browser.dialogs, browser.form->catalogue(), QString(), browser.form.get());
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("The link-table window was not shown");
        window.GridList->repaint();
        openings.push_back(since(clock));
        if (window.GridList->model()->rowCount() < rowsPerTable)
            qFatal("The first table shows %d rows", window.GridList->model()->rowCount());
        for (int table = 1; table < 15; ++table) {
            clock.restart();
            window.TabF_Click(table / frmTab::tablesPerGroup, table % frmTab::tablesPerGroup);
            window.GridList->repaint();
            switches.push_back(since(clock));
        }
        window.GO_Exit();
    }
    report("link-table window opened (table of 1,000 rows)", openings);
    report("link-table window switched tables", switches);
}

void measureJourneyList(BrowserFixture &browser)
{
    std::vector<double> openings, lists;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        browser.form->dispatcher().cmdBar_ButtonClick(CommandBars::menuInstance, JourneyCommands::showKey);
        auto *window = browser.form->findChild<frmJourney *>();
        if (!QTest::qWaitForWindowExposed(window))
            qFatal("The journey window was not shown");
        window->repaint();
        openings.push_back(since(clock));
        if (window->journeyList->count() < journeys)
            qFatal("The journey list holds %d journeys", window->journeyList->count());
        clock.restart();
        window->journeyList->showPopup();
        QAbstractItemView *list = window->journeyList->view();
        if (!QTest::qWaitForWindowExposed(list->window()))
            qFatal("The journey list did not open");
        list->repaint();
        lists.push_back(since(clock));
        window->journeyList->hidePopup();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    report("journey window opened (1,000 kept journeys)", openings);
    report("list of earlier journeys opened", lists);
}

} // namespace

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc == 3 && QByteArray(argv[1]) == "--make") {
        QCoreApplication app(argc, argv);
        makeFolder(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --proxy-server=127.0.0.1:9");
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    TestHttpServer server;
    QTemporaryDir made;
    makeFolder(made.path());
    BrowserFixture browser(server);
    copyFolder(made.path(), browser.folder.root());
    const qint64 before = bytesRead();
    if (!browser.start(server))
        return 1;
    const qint64 started = bytesRead();
    browser.form->Timer4_Timer();
    std::printf("read while starting: %.1f MiB, in the deferred start-up step: %.1f MiB (the kept journeys hold %.1f MiB)\n",
                (started - before) / 1048576.0, (bytesRead() - started) / 1048576.0,
                journeys * QFileInfo(QDir(browser.folder.path("Journeys")).entryInfoList(QDir::Files).value(0)).size() /
                    1048576.0);
    measureLinkTables(browser);
    measureJourneyList(browser);
    return 0;
}
