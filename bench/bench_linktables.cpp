// A table of 10,000 links: the time to load it into the link-table window's grid (the file read,
// the grid filled and laid out and painted) and to save it back (sorted, written, index written),
// each the median of 15 runs, with the slowest run. Target: within 100 ms each.
// Build and run:  cmake --build build --target bench_linktables && QT_QPA_PLATFORM=offscreen build/bench/bench_linktables
#include "commands/commandcatalogue.h"
#include "language/languagename.h"
#include "core/programstate.h"
#include "linktables/frmtab.h"
#include "linktables/linkindex.h"
#include "scripteddialogs.h"
#include "tempappfolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    constexpr int rows = 10000;
    TempAppFolder folder;
    QStringList lines;
    for (int i = 0; i < rows; ++i) {
        const QString n = QString::number((i * 7919) % rows).rightJustified(5, u'0');
        lines << QStringList{"Page title " + n, "https://example.org/articles/" + n + "/index.html",
                             "A note about page " + n, i % 3 ? "secret-" + n : QString(),
                             "example.org/articles/" + n, "2026-12-08"}
                     .join(";-;");
    }
    folder.write("Links/Links.Bok", {QString("Big table,%1").arg(rows)});
    folder.write("Links/Links.000", lines);

    ProgramState state{AppFolder(folder.root())};
    state.captions[34] = "Table";
    ScriptedDialogs dialogs;
    CommandCatalogue catalogue{LanguageName::ofFile};
    catalogue.Make_Buttons({});
    catalogue.Build_Bars();
    if (!LinkIndex::Load_Index(state).ok())
        return 1;
    frmTab window(state, dialogs, catalogue, QString());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;

    std::vector<double> loads, saves;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer clock;
        clock.start();
        window.Read_Table();
        window.GridList->repaint();
        loads.push_back(clock.nsecsElapsed() / 1e6);
        if (window.GridList->model()->rowCount() != rows)
            return 3;

        clock.restart();
        if (!window.Save_Table())
            return 4;
        saves.push_back(clock.nsecsElapsed() / 1e6);
    }
    if (folder.readLines("Links/Links.000").size() != rows)
        return 5;
    const auto report = [](const char *what, std::vector<double> times) {
        std::sort(times.begin(), times.end());
        std::printf("%-6s %6d rows: median %7.1f ms, slowest %7.1f ms\n", what, rows, times[times.size() / 2],
                    times.back());
    };
    report("load", loads);
    report("save", saves);
    return 0;
}
