#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// How long an export waits for the page to answer one reading of its document. A page whose
// script never yields never answers: once the limit has passed, the export goes on without the
// answer (and says so), and an answer that comes later is ignored.
class AnswerLimit : public QObject
{
    Q_OBJECT
public:
    static constexpr int limitMs = 10000;

    explicit AnswerLimit(QObject *parent = nullptr);

    // Starts waiting for one answer, in place of any earlier wait; silent runs once the limit
    // has passed without it. The number names this wait for answered().
    quint64 await(std::function<void()> silent);
    // The answer of that wait came: true when it is still awaited (the wait ends here).
    bool answered(quint64 wait);

public slots:
    // The limit has passed: the awaited answer is given up.
    void timeLimitReached();

private:
    QTimer m_timer;
    quint64 m_wait = 0;
    std::function<void()> m_silent;
};
