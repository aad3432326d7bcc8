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
    m_attend.start(view, [this](bool) {
        // The view's select-all and copy act on the page that has the keyboard focus: its
        // window must be the active one.
        if (m_view)
            m_view->window()->activateWindow();
        m_elapsed.start();
        waitForActiveWindow();
    });
}

void PageCopy::waitForActiveWindow()
{
    if (m_view && !m_view->isActiveWindow() && m_elapsed.elapsed() < activationLimitMs)
        return QTimer::singleShot(clipboardLookMs, this, &PageCopy::waitForActiveWindow);
    copy();
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
