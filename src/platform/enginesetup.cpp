#include "enginesetup.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

void prepareWebEngine()
{
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        std::fputs("TamzoTravel: running as root, so the web engine's sandbox is turned off.\n", stderr);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
