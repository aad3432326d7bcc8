#include "warningcheck.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

namespace {

QtMessageHandler qtTestHandler = nullptr;
QByteArray armedFor;

// The headless platform has no OpenGL: the web engine says so once when it starts and then
// renders in software. On a real display it says nothing.
bool isHeadlessEngineNotice(const QString &message)
{
    static const QRegularExpression notice(
        QStringLiteral("^(No suitable graphics backend found|WebEngineContext used before "
                       "QtWebEngineCore::initialize\\(\\) or OpenGL context creation failed\\.)\\s*$"));
    return QGuiApplication::platformName() == u"offscreen" && notice.match(message).hasMatch();
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && isHeadlessEngineNotice(message)) {
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
