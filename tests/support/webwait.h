#pragma once

#include "browsing/webview.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <optional>
#include <QTest>

// One wait of the web tests: pages of the local server load far sooner, even on a busy machine.
constexpr int webWaitMs = 10000;

// Runs the event loop until done() holds or the time is up; true when it holds. The engine's work
// for one page passes through the main thread a hundred times or more: QTest::qWaitFor sleeps 10 ms
// between rounds of events, which holds a page up by a second and more, while this loop sleeps only
// until the next event. The poll wakes it for what changes without an event of this thread.
template<typename Done>
bool waitUntil(Done done, int timeoutMs = webWaitMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer poll;
    poll.start(20);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Waits, with the event loop running, for a view to finish loading a page.
inline bool waitForDocument(WebView *view, int timeoutMs = webWaitMs)
{
    QSignalSpy complete(view, &WebView::DocumentComplete);
    return complete.wait(timeoutMs);
}

// Waits until a spy on a view's DocumentComplete has seen the address.
inline bool waitForLoaded(const QSignalSpy &complete, const QString &address, int timeoutMs = webWaitMs)
{
    return waitUntil(
        [&] {
            return std::any_of(complete.begin(), complete.end(),
                               [&](const QList<QVariant> &event) { return event.value(0).toString() == address; });
        },
        timeoutMs);
}

inline bool navigateAndWait(WebView *view, const QString &address, int timeoutMs = webWaitMs)
{
    QSignalSpy complete(view, &WebView::DocumentComplete);
    view->Navigate(address);
    return complete.wait(timeoutMs);
}

// Runs a read of the document and waits for its callback, which may still come after the wait
// has given up; nothing when it did not come in time.
template<typename Result, typename Read>
std::optional<Result> tryReadDocument(Read read, int timeoutMs = webWaitMs)
{
    const auto result = std::make_shared<std::optional<Result>>();
    read([result](const Result &value) { *result = value; });
    waitUntil([&] { return result->has_value(); }, timeoutMs);
    return *result;
}

template<typename Result, typename Read>
Result readDocument(Read read, int timeoutMs = webWaitMs)
{
    const std::optional<Result> result = tryReadDocument<Result>(std::move(read), timeoutMs);
    if (!result)
        qWarning("The document was not read in time");
    return result.value_or(Result{});
}

inline QByteArray pageWithLinks(const QStringList &hrefs, const QByteArray &extraHead = {})
{
    QByteArray html = "<html><head><title>links</title>" + extraHead + "</head><body>";
    for (const QString &href : hrefs)
        html += "<a href=\"" + href.toHtmlEscaped().toUtf8() + "\">link</a> ";
    return html + "</body></html>";
}
