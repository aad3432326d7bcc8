#include "warningcheck.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

namespace {

QtMessageHandler qtTestHandler = nullptr;
QByteArray armedFor;

// The headless platform has no OpenGL and no Vulkan: the web engine says so once when it starts
// (Qt 6.8's also tries both and cannot tell the graphics card) and then renders in software. Its
// windows also have no opacity, no raising, no size hints for a window manager and no keyboard
// grab, and it says so each time a window asks. On a real display none of this is said.
bool isHeadlessPlatformNotice(const QString &message)
{
    static const QRegularExpression notice(
        QStringLiteral("^(No suitable graphics backend found|WebEngineContext used before "
                       "QtWebEngineCore::initialize\\(\\) or OpenGL context creation failed\\.|"
                       "QRhiGles2: Failed to create (temporary )?context|QVulkanInstance: Failed to initialize Vulkan|"
                       "Unable to detect GPU vendor\\.|"
                       "This plugin does not support (setting window opacity|raise\\(\\)|"
                       "propagateSizeHints\\(\\)|grabbing the keyboard|createPlatformVulkanInstance))\\s*$"));
    return QGuiApplication::platformName() == u"offscreen" && notice.match(message).hasMatch();
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && isHeadlessPlatformNotice(message)) {
        type = QtInfoMsg;
    } else if (type == QtWarningMsg) {
        const QByteArray function = QByteArray(QTest::currentTestFunction()) + '/' + QTest::currentDataTag();
        if (function != armedFor) {
            armedFor = function;
            QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        }
    }
    qtTestHandler(type, context, message);
}

} // namespace

void WarningCheck::install() { qtTestHandler = qInstallMessageHandler(handleMessage); }
