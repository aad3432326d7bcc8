// Rewrites every file of an application folder over and over through the program's save
// procedures, one generation after another, until it is killed. At its start it reads the files
// through the program's readers and says which generations it found: "start 7 7 8 7 7 7"; after
// each whole generation it says "saved 9".
// Usage: tamzo_savedriver <application folder>
#include "platform/enginesetup.h"
#include "savegeneration.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tamzo_savedriver <application folder>\n", stderr);
        return 2;
    }
    SaveGeneration generation(QString::fromLocal8Bit(argv[1]));
    const QList<int> found = generation.read();
    QString line = "start";
    for (int g : found)
        line += ' ' + QString::number(g);
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    for (int g = std::max(0, *std::max_element(found.begin(), found.end())) + 1;; ++g) {
        if (const WriteResult r = generation.save(g); !r.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(r.message()));
            return 1;
        }
        std::printf("saved %d\n", g);
        std::fflush(stdout);
    }
}
