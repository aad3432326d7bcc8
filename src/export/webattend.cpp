#include "webattend.h"

#include "browsing/webview.h"

WebAttend::WebAttend(QObject *parent) : QObject(parent), m_answer(this)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &WebAttend::look);
}

void WebAttend::start(WebView *view, std::function<void(Result)> done)
{
    m_view = view;
    m_done = std::move(done);
    m_elapsed.start();
    m_read.invalidate();
    look();
}

void WebAttend::look()
{
    if (!m_view)
        return finish(Result::Loading);
    QPointer<WebAttend> self(this);
    const quint64 wait = m_answer.await([self] {
        if (self)
            self->finish(Result::Silent);
    });
    m_view->readReadyState([self, wait](const QString &state) {
        if (!self || !self->m_answer.answered(wait))
            return;
        if (state == u"complete" && self->m_view && !self->m_view->Busy())
            return self->finish(Result::Complete);
        if (state == u"interactive" && !self->m_read.isValid())
            self->m_read.start();
        if (self->m_read.isValid() && self->m_read.elapsed() >= pictureLimitMs)
            return self->finish(Result::Complete);
        self->again();
    });
}

void WebAttend::again()
{
    if (m_elapsed.elapsed() >= limitMs)
        finish(Result::Loading);
    else
        m_timer.start(lookMs);
}

void WebAttend::finish(Result result)
{
    m_timer.stop();
    if (const auto done = std::exchange(m_done, nullptr))
        done(result);
}
