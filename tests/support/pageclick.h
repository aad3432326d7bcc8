#pragma once

#include "browsing/webview.h"
#include "webwait.h"

#include <QTest>
#include <QWebEngineView>

// A user's left click into a loaded page, at a point given in the view's pixels. The page is
// first asked which element lies there, so the click comes only once the page is laid out.
inline bool clickPage(WebView *view, QPoint at, const QString &expectedElementId)
{
    const QString probe = QStringLiteral("(document.elementFromPoint(%1, %2) || {}).id || ''").arg(at.x()).arg(at.y());
    const bool laidOut = QTest::qWaitFor(
        [&] {
            QString id;
            bool answered = false;
            view->engine()->page()->runJavaScript(probe, [&](const QVariant &value) {
                id = value.toString();
                answered = true;
            });
            return QTest::qWaitFor([&] { return answered; }, 2000) && id == expectedElementId;
        },
        webWaitMs);
    QWidget *input = view->engine()->focusProxy();
    if (!laidOut || !input)
        return false;
    QTest::mouseMove(input, at);
    QTest::mouseClick(input, Qt::LeftButton, {}, at);
    return true;
}
