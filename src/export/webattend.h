#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class WebView;

// Waits, without blocking the window, until a view has finished loading its page: a look at
// once and then every quarter second at whether it is busy and whether its document is
// complete. The wait is bounded: after limitMs the caller goes on with what the page holds, and
// once the document itself is read, its pictures get pictureLimitMs more, after which the caller
// goes on without those that have not come.
class WebAttend : public QObject
{
    Q_OBJECT
public:
    static constexpr int lookMs = 250;
    static constexpr int limitMs = 15000;
    static constexpr int pictureLimitMs = 3000;

    explicit WebAttend(QObject *parent = nullptr);

    // done(true) once the page is complete, done(false) when the limit passed or the view went.
    void start(WebView *view, std::function<void(bool complete)> done);

private:
    void look();
    void again();
    void finish(bool complete);

    QPointer<WebView> m_view;
    std::function<void(bool)> m_done;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    // Since the document was read and only its pictures were still coming.
    QElapsedTimer m_read;
};
