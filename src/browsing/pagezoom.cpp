#include "pagezoom.h"

#include "tabset.h"
#include "webview.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <array>

namespace {
// The steps of the usual desktop browsers.
constexpr std::array levels{25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400, 500};
} // namespace

PageZoom::PageZoom(TabSet &tabs, QLabel *statusBar, std::function<void(bool)> runCommand, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_statusBar(statusBar), m_level(new QLabel(statusBar)),
      m_runCommand(std::move(runCommand))
{
    m_level->setObjectName(QStringLiteral("zoomLevel"));
    m_level->setTextFormat(Qt::PlainText);
    m_level->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_level->hide();
    for (int i = 0; i < m_tabs.viewCount(); ++i)
        watch(m_tabs.Web(i));
    connect(&m_tabs, &TabSet::viewCreated, this, &PageZoom::watch);
    connect(&m_tabs, &TabSet::activeViewShown, this, &PageZoom::showLevel);
    m_statusBar->installEventFilter(this);
}

int PageZoom::nextLevel(int percent, bool zoomIn)
{
    if (zoomIn) {
        const auto above = std::upper_bound(levels.begin(), levels.end(), percent);
        return above == levels.end() ? levels.back() : *above;
    }
    const auto below = std::lower_bound(levels.begin(), levels.end(), percent);
    return below == levels.begin() ? levels.front() : *(below - 1);
}

void PageZoom::zoomIn() { m_tabs.activeView()->setZoomPercent(nextLevel(m_tabs.activeView()->zoomPercent(), true)); }

void PageZoom::zoomOut() { m_tabs.activeView()->setZoomPercent(nextLevel(m_tabs.activeView()->zoomPercent(), false)); }

void PageZoom::resetZoom() { m_tabs.activeView()->setZoomPercent(100); }

void PageZoom::watch(WebView *view)
{
    connect(view, &WebView::ZoomWheel, this, [this](bool zoomIn) { m_runCommand(zoomIn); });
    connect(view, &WebView::ZoomChange, this, [this, view] {
        if (view == m_tabs.activeView())
            showLevel();
    });
}

bool PageZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_statusBar && event->type() == QEvent::Resize)
        showLevel();
    return QObject::eventFilter(watched, event);
}

// The level sits at the right end of the status text, which keeps clear of it.
void PageZoom::showLevel()
{
    const int percent = m_tabs.activeView()->zoomPercent();
    m_level->setVisible(percent != 100);
    m_level->setText(QString::number(percent) % u'%');
    const int width = percent != 100 ? m_level->fontMetrics().horizontalAdvance(QStringLiteral("500% ")) : 0;
    m_level->setGeometry(m_statusBar->width() - width, 0, width, m_statusBar->height());
    m_statusBar->setContentsMargins(0, 0, width, 0);
}
