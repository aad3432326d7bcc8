#include "enginesetup.h"

#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
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

// The context the engine will share exists from the application's start; asking it costs no new one.
static QString sharedContextRenderer()
{
    QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (!shared)
        return {};
    QOffscreenSurface surface;
    surface.setFormat(shared->format());
    surface.create();
    if (!surface.isValid() || !shared->makeCurrent(&surface))
        return {};
    const auto *name = reinterpret_cast<const char *>(shared->functions()->glGetString(GL_RENDERER));
    const QString renderer = QString::fromLatin1(name ? name : "");
    shared->doneCurrent();
    return renderer;
}

bool isSoftwareRenderer(const QString &renderer)
{
    if (renderer.trimmed().isEmpty())
        return true;
    for (const char *software : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "swiftshader"}) {
        if (renderer.contains(QLatin1String(software), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void chooseWebRendering()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        return;
    if (isSoftwareRenderer(sharedContextRenderer()))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
