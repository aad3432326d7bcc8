#include "enginesetup.h"

#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <cstdio>
#include <unistd.h>

// The engine refuses, before it sends anything, what an http page on a public address asks of an
// address of the local network or this machine: its pictures, scripts and requests, and its
// frames' loads, each hop of a redirection checked on its own connection. What a secure page asks
// there, the engine first asks of the local address itself (a preflight, carrying nothing of the
// page) and sends only if that address says it expects it, which no router or printer does.
// Defaults differ between engine versions, so the program asks for every part; a choice the user
// made about any of them in the engine's flags is left alone.
static void blockLocalNetworkRequests()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    QByteArrayList named;
    for (const QByteArray &flag : flags.split(' ')) {
        for (const char *list : {"--enable-features=", "--disable-features="}) {
            if (flag.startsWith(list))
                named += flag.mid(qstrlen(list)).split(',');
        }
    }
    QByteArrayList wanted;
    for (const char *feature : {"BlockInsecurePrivateNetworkRequests", "BlockInsecurePrivateNetworkRequestsForNavigations",
                                "PrivateNetworkAccessSendPreflights", "PrivateNetworkAccessRespectPreflightResults"}) {
        if (!named.contains(feature))
            wanted += feature;
    }
    if (wanted.isEmpty())
        return;
    const QByteArray enable = "--enable-features=";
    const qsizetype listed = flags.indexOf(enable);
    if (listed >= 0)
        flags.insert(listed + enable.size(), wanted.join(',') + ',');
    else
        flags += (flags.isEmpty() ? "" : " ") + enable + wanted.join(',');
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

void prepareWebEngine()
{
    blockLocalNetworkRequests();
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
