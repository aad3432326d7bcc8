#include "pagecopy.h"

#include "browsing/webview.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWebEnginePage>
#include <QWebEngineView>

PageCopy::PageCopy(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PageCopy::lookAtClipboard);
}

void PageCopy::run(WebView *view, std::function<void(const Copied &)> done)
{
    m_view = view;
    m_done = std::move(done);
    m_attend.start(view, [this](bool) { copy(); });
}

void PageCopy::copy()
{
    QGuiApplication::clipboard()->clear();
    if (m_view) {
        m_view->ExecWB(WebView::SelectAll);
        m_view->ExecWB(WebView::Copy);
    }
    m_elapsed.start();
    lookAtClipboard();
}

void PageCopy::lookAtClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const bool filled = data && (data->hasHtml() || data->hasText());
    if (filled || !m_view || m_elapsed.elapsed() >= clipboardLimitMs)
        finish();
    else
        m_timer.start(clipboardLookMs);
}

void PageCopy::finish()
{
    Copied copied;
    if (const QMimeData *data = QGuiApplication::clipboard()->mimeData()) {
        copied.html = data->html();
        copied.text = data->text();
    }
    // The page is left as it was shown, without the selection.
    if (m_view && m_view->hasEngine())
        m_view->engine()->page()->triggerAction(QWebEnginePage::Unselect);
    if (const auto done = std::exchange(m_done, nullptr))
        done(copied);
}
