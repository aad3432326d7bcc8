#pragma once

#include "webattend.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class WebView;

// The whole page of a view put on the clipboard with its formatting, through the view's own
// select-all and copy, once the page has finished loading.
class PageCopy : public QObject
{
    Q_OBJECT
public:
    static constexpr int clipboardLimitMs = 3000;
    static constexpr int clipboardLookMs = 50;
    static constexpr int activationLimitMs = 1000;

    struct Copied
    {
        QString html;
        QString text;
        bool empty() const { return html.trimmed().isEmpty() && text.trimmed().isEmpty(); }
    };

    explicit PageCopy(QObject *parent = nullptr);

    // done runs once, later, with what the clipboard holds (nothing when the page gave nothing).
    void run(WebView *view, std::function<void(const Copied &)> done);

private:
    void waitForActiveWindow();
    void copy();
    void lookAtClipboard();
    void finish();

    WebAttend m_attend;
    QPointer<WebView> m_view;
    std::function<void(const Copied &)> m_done;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
};
