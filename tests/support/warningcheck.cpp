#include "warningcheck.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

namespace {

QtMessageHandler qtTestHandler = nullptr;
QByteArray armedFor;

// The headless platform has no OpenGL: the web engine says so once when it starts and then
// renders in software. Its windows also have no opacity, no raising, no size hints for a window
// manager and no keyboard grab, and it says so each time a window asks. On a real display none
// of this is said.
bool isHeadlessPlatformNotice(const QString &message)
{
    static const QRegularExpression notice(
        QStringLiteral("^(No suitable graphics backend found|WebEngineContext used before "
                       "QtWebEngineCore::initialize\\(\\) or OpenGL context creation failed\\.|"
                       "This plugin does not support (setting window opacity|raise\\(\\)|"
                       "propagateSizeHints\\(\\)|grabbing the keyboard))\\s*$"));
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
