#pragma once

#include "browsing/webview.h"
#include "webwait.h"

#include <QTest>
#include <QWebEngineScript>
#include <QWebEngineView>

// Asks the page in a world of the test's own, which the page's and the program's scripts do not
// see; an invalid value when no answer comes.
inline QVariant askPage(WebView *view, const QString &script)
{
    const auto run = [&](auto done) { view->engine()->page()->runJavaScript(script, QWebEngineScript::UserWorld, done); };
    return tryReadDocument<QVariant>(run, 2000).value_or(QVariant());
}

// A user's left click into a loaded page, at a point given in the view's pixels. The page is
// first asked which element lies there, so the click comes only once the page is laid out. An
// engine still setting up its input can drop a click: while the same document stays shown and no
// press has reached it, the click is given again.
inline bool clickPage(WebView *view, QPoint at, const QString &expectedElementId)
{
    const QString arm = QStringLiteral("(function () {"
                                       "  if (!window.pressesSeen) {"
                                       "    window.pressesSeen = {count: 0};"
                                       "    document.addEventListener('mousedown', () => ++window.pressesSeen.count, true);"
                                       "  }"
                                       "  return (document.elementFromPoint(%1, %2) || {}).id || '';"
                                       "})()")
                            .arg(at.x())
                            .arg(at.y());
    const bool laidOut = QTest::qWaitFor([&] { return askPage(view, arm).toString() == expectedElementId; }, webWaitMs);
    QWidget *input = view->engine()->focusProxy();
    if (!laidOut || !input)
        return false;
    const auto landed = [view] {
        const QVariant presses = askPage(view, QStringLiteral("window.pressesSeen ? window.pressesSeen.count : -1"));
        return presses.isValid() && presses.toInt() != 0;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        QTest::mouseMove(input, at);
        QTest::mouseClick(input, Qt::LeftButton, {}, at);
        if (waitUntil(landed, 3000))
            return true;
    }
    return false;
}
