#include "webattend.h"

#include "browsing/webview.h"

WebAttend::WebAttend(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &WebAttend::look);
}

void WebAttend::start(WebView *view, std::function<void(bool)> done)
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
        return finish(false);
    QPointer<WebAttend> self(this);
    m_view->readReadyState([self](const QString &state) {
        if (!self)
            return;
        if (state == u"complete" && self->m_view && !self->m_view->Busy())
            return self->finish(true);
        if (state == u"interactive" && !self->m_read.isValid())
            self->m_read.start();
        if (self->m_read.isValid() && self->m_read.elapsed() >= pictureLimitMs)
            return self->finish(true);
        self->again();
    });
}

void WebAttend::again()
{
    if (m_elapsed.elapsed() >= limitMs)
        finish(false);
    else
        m_timer.start(lookMs);
}

void WebAttend::finish(bool complete)
{
    if (const auto done = std::exchange(m_done, nullptr))
        done(complete);
}
