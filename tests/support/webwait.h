#pragma once

#include "browsing/webview.h"

#include <QSignalSpy>
#include <QTest>

// Waits, with the event loop running, for a view to finish loading a page.
inline bool waitForDocument(WebView *view, int timeoutMs = 20000)
{
    QSignalSpy complete(view, &WebView::DocumentComplete);
    return complete.wait(timeoutMs);
}

inline bool navigateAndWait(WebView *view, const QString &address, int timeoutMs = 20000)
{
    QSignalSpy complete(view, &WebView::DocumentComplete);
    view->Navigate(address);
    return complete.wait(timeoutMs);
}

// Runs a read of the document and waits for its callback.
template<typename Result, typename Read>
Result readDocument(Read read, int timeoutMs = 10000)
{
    Result result{};
    bool done = false;
    read([&](const Result &value) {
        result = value;
        done = true;
    });
    QTest::qWaitFor([&] { return done; }, timeoutMs);
    return result;
}

inline QByteArray pageWithLinks(const QStringList &hrefs, const QByteArray &extraHead = {})
{
    QByteArray html = "<html><head><title>links</title>" + extraHead + "</head><body>";
    for (const QString &href : hrefs)
        html += "<a href=\"" + href.toHtmlEscaped().toUtf8() + "\">link</a> ";
    return html + "</body></html>";
}
