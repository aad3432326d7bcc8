#pragma once

#include "core/linebreaks.h"
#include "core/programstate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: one application folder for the whole run, the input written
// into a file of it, and the check that stops the run when a reader breaks one of its promises.
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

// Replaces the file at relative (for example "Data/TamzoTravel.Opt") with the input's bytes.
inline void write(const QString &relative, const uint8_t *data, size_t size)
{
    const QString path = folder().filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        std::fprintf(stderr, "cannot write the input to %s\n", qPrintable(path));
        std::abort();
    }
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
