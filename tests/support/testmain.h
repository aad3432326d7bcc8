#pragma once

#include "isolatedhome.h"
#include "platform/enginesetup.h"
#include "warningcheck.h"

#include <QApplication>
#include <QTest>

// Every test program's entry: the program has a home of its own, the web engine is prepared before
// the application object exists, and an unexpected Qt warning fails the test function it arrives in.
#define TAMZO_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        const IsolatedHome home;                                                                   \
        prepareWebEngine();                                                                        \
        QApplication app(argc, argv);                                                              \
        chooseWebRendering();                                                                      \
        TestClass test;                                                                            \
        QTest::qInit(&test, argc, argv);                                                           \
        WarningCheck::install();                                                                   \
        const int failures = QTest::qRun();                                                        \
        QTest::qCleanup();                                                                         \
        return failures;                                                                           \
    }
