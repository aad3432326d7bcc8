#include "answerlimit.h"

AnswerLimit::AnswerLimit(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AnswerLimit::timeLimitReached);
}

quint64 AnswerLimit::await(std::function<void()> silent)
{
    m_silent = std::move(silent);
    m_timer.start(limitMs);
    return ++m_wait;
}

bool AnswerLimit::answered(quint64 wait)
{
    if (wait != m_wait || !m_silent)
        return false;
    m_timer.stop();
    m_silent = nullptr;
    return true;
}

void AnswerLimit::timeLimitReached()
{
    m_timer.stop();
    if (const auto silent = std::exchange(m_silent, nullptr))
        silent();
}
