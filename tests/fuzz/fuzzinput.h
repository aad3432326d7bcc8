#pragma once

#include "core/linebreaks.h"
#include "core/programstate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

// What every fuzz target shares: one application folder for the whole run, the input written
// into a file of it, the check that reading grows linearly with the file, and the check that
// stops the run when a reader breaks one of its promises.
namespace FuzzInput {

inline QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The readers that fill widgets need an application; the headless platform serves. It lives
// until the process ends (the fuzzer ends it with exit(), past any orderly shutdown).
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "tamzo_fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *app = new QApplication(argc, argv);
    Q_UNUSED(app);
}

// What a line-based file keeps in one line holds no line break of any kind.
inline bool isOneLine(const QString &text) { return withoutLineBreaks(text) == text; }

inline ProgramState freshState() { return ProgramState(AppFolder(folder().path())); }

// Replaces the file at path with the bytes.
inline void writeAt(const QString &path, QByteArrayView bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "cannot write the input to %s\n", qPrintable(path));
        std::abort();
    }
}

// Replaces the file at relative (for example "Data/TamzoTravel.Opt") with the input's bytes.
inline void write(const QString &relative, QByteArrayView bytes) { writeAt(folder().filePath(relative), bytes); }

inline void write(const QString &relative, const uint8_t *data, size_t size)
{
    write(relative, QByteArrayView(data, qsizetype(size)));
}

// The processor time this thread has taken, in seconds: time the machine spent on other work
// does not count.
inline double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Read>
double fastestReading(const Read &read, const QByteArray &input, int times)
{
    double fastest = std::numeric_limits<double>::infinity();
    for (int i = 0; i < times; ++i) {
        const double start = threadSeconds();
        read(input);
        fastest = std::min(fastest, threadSeconds() - start);
    }
    return fastest;
}

// Whether reading takes no more than linear time in the input's size, whatever the machine's
// speed: copies of the input joined to at least linearLength bytes are read, then four times as
// many copies. A linear reader takes about four times as long for the second, a quadratic one
// sixteen times; more than eight times fails, so that the caches of a larger input decide nothing.
// Each is the fastest of a few readings, and a growth that looks slow is read more often before it
// counts, so that a busy moment of the machine decides nothing either.
// copy(i) is the i-th copy: the input itself unless the target makes each copy its own (a
// journey twice as long visits twice as many pages, not the same pages twice).
template <typename Read, typename Copy>
bool growsLinearly(const Read &read, const Copy &copy, qsizetype linearLength = 8192)
{
    QByteArray once, more;
    int copies = 0;
    while (once.size() < linearLength) {
        const QByteArray next = copy(copies++);
        if (next.isEmpty())
            return true;
        once += next;
    }
    more = once;
    for (int i = copies; i < 4 * copies; ++i)
        more += copy(i);
    // Below a tenth of a millisecond the clock's own steps would count.
    constexpr double noticeable = 1e-4;
    for (const int times : {1, 5, 25}) {
        const double onceSeconds = fastestReading(read, once, times);
        const double moreSeconds = fastestReading(read, more, times);
        if (moreSeconds <= 8 * onceSeconds + noticeable)
            return true;
        std::fprintf(stderr, "reading %lld bytes took %.6f s, four times as many %.6f s (fastest of %d)\n",
                     static_cast<long long>(once.size()), onceSeconds, moreSeconds, times);
    }
    return false;
}

template <typename Read>
bool growsLinearly(const Read &read, QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();
    return growsLinearly(read, [&bytes](int) { return bytes; });
}

} // namespace FuzzInput

// A promise of the reader that the input broke: the run stops and keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "broken promise at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
