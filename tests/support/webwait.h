#pragma once

#include "browsing/webview.h"

#include <QSignalSpy>
#include <algorithm>
#include <QTest>

// One wait of the web tests: pages of the local server load far sooner, even on a busy machine.
constexpr int webWaitMs = 10000;

// Waits, with the event loop running, for a view to finish loading a page.
inline bool waitForDocument(WebView *view, int timeoutMs = webWaitMs)
{
    QSignalSpy complete(view, &WebView::DocumentComplete);
    return complete.wait(timeoutMs);
}

// Waits until a spy on a view's DocumentComplete has seen the address.
inline bool waitForLoaded(const QSignalSpy &complete, const QString &address, int timeoutMs = webWaitMs)
{
    return QTest::qWaitFor(
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

// Runs a read of the document and waits for its callback.
template<typename Result, typename Read>
Result readDocument(Read read, int timeoutMs = webWaitMs)
{
    Result result{};
    bool done = false;
    read([&](const Result &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, timeoutMs))
        qWarning("The document was not read in time");
    return result;
}

inline QByteArray pageWithLinks(const QStringList &hrefs, const QByteArray &extraHead = {})
{
    QByteArray html = "<html><head><title>links</title>" + extraHead + "</head><body>";
    for (const QString &href : hrefs)
        html += "<a href=\"" + href.toHtmlEscaped().toUtf8() + "\">link</a> ";
    return html + "</body></html>";
}
