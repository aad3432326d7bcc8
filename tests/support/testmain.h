#pragma once

#include "platform/enginesetup.h"

#include <QApplication>
#include <QTest>

// A test program's entry: the web engine is prepared before the application object exists.
#define TAMZO_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        prepareWebEngine();                                                                        \
        QApplication app(argc, argv);                                                              \
        chooseWebRendering();                                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
