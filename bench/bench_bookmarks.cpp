// Reading bookmarks files of every shape an attacker could give, at two sizes four times apart:
// the time per character of each, the median of 5 runs, and how much longer the larger file took.
// Target: about 4 times (time in proportion to the size) for every shape, never far more.
// Build and run:  cmake --build build --target bench_bookmarks && build/bench/bench_bookmarks
#include "linktables/bookmarkshtml.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A file of about `size` characters made of one piece again and again, between a head and a tail.
QString repeated(const QString &head, const QString &piece, const QString &tail, qsizetype size)
{
    return head + piece.repeated(std::max<qsizetype>(1, size / piece.size())) + tail;
}

double medianMs(const QString &html)
{
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        const BookmarksHtml::Contents contents = BookmarksHtml::read(html, QStringLiteral("2026-12-08"));
        runs.push_back(clock.nsecsElapsed() / 1e6);
        if (contents.skipped < 0)
            return -1;
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const struct
    {
        const char *shape;
        std::function<QString(qsizetype)> make;
    } shapes[] = {
        {"browser's file", [](qsizetype n) {
             return repeated("<DL><p>", "<DT><H3>Folder</H3><DL><p><DT><A HREF=\"https://example.org/a?b=1&amp;c=2\" "
                                        "ADD_DATE=\"1709215509\">A page &amp; its title</A><DD>A note</DL><p>",
                             "</DL><p>", n);
         }},
        {"nested folders", [](qsizetype n) { return repeated("", "<DT><H3>Level</H3><DL><p>", "", n); }},
        {"tags never closed", [](qsizetype n) { return repeated("", "<a", "", n); }},
        {"quotes never closed", [](qsizetype n) { return repeated("<A HREF=\"http://a/", "x", "", n); }},
        {"entities never ended", [](qsizetype n) { return repeated("<A HREF=\"http://a/\">", "&aaaaaaaa", "", n); }},
        {"attributes", [](qsizetype n) { return repeated("<A ", "x=1 ", ">T</A>", n); }},
        {"links in one folder", [](qsizetype n) {
             return repeated("<DL><p>", "<DT><A HREF=\"https://e.example/\">Same</A>", "</DL><p>", n);
         }},
    };
    // The smaller size in characters, 1M unless given.
    const qsizetype small = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : qsizetype(1) << 20;
    std::printf("%-22s %14s %14s %8s   (sizes %lld and 4 times that)\n", "shape", "ns/char small", "ns/char large",
                "ratio", static_cast<long long>(small));
    for (const auto &shape : shapes) {
        const QString smallFile = shape.make(small), largeFile = shape.make(4 * small);
        const double smallMs = medianMs(smallFile), largeMs = medianMs(largeFile);
        std::printf("%-22s %14.1f %14.1f %8.2f\n", shape.shape, smallMs * 1e6 / smallFile.size(),
                    largeMs * 1e6 / largeFile.size(), largeMs / smallMs);
    }
    return 0;
}
