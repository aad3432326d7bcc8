#pragma once

#include "answerlimit.h"

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
// goes on without those that have not come. A look the page does not answer within the answer
// limit ends the wait at once: the page is busy with a script of its own.
class WebAttend : public QObject
{
    Q_OBJECT
public:
    static constexpr int lookMs = 250;
    static constexpr int limitMs = 15000;
    static constexpr int pictureLimitMs = 3000;

    enum class Result { Complete, Loading, Silent };

    explicit WebAttend(QObject *parent = nullptr);

    // done(Complete) once the page is complete; Loading when the limit passed, or the view went,
    // with the page still loading; Silent when the page did not answer.
    void start(WebView *view, std::function<void(Result)> done);

private:
    void look();
    void again();
    void finish(Result result);

    QPointer<WebView> m_view;
    std::function<void(Result)> m_done;
    QTimer m_timer;
    AnswerLimit m_answer;
    QElapsedTimer m_elapsed;
    // Since the document was read and only its pictures were still coming.
    QElapsedTimer m_read;
};
