#include "findbar.h"

#include "webview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

FindBar::FindBar(QWidget *parent) : QWidget(parent), m_text(new QLineEdit(this)), m_matches(new QLabel(this))
{
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto *previous = new QToolButton(this);
    previous->setArrowType(Qt::UpArrow);
    auto *next = new QToolButton(this);
    next->setArrowType(Qt::DownArrow);
    auto *close = new QToolButton(this);
    close->setText(QStringLiteral("✕"));
    layout->addWidget(m_text, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_matches);
    layout->addWidget(close);
    m_controls = {m_text, previous, next, close};
    connect(m_text, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(m_text, &QLineEdit::textChanged, this, &FindBar::findNext);
    connect(next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void FindBar::open(WebView *view)
{
    m_view = view;
    m_matches->clear();
    show();
    raise();
    m_text->setFocus();
    m_text->selectAll();
}

void FindBar::findNext() { find(false); }

void FindBar::findPrevious() { find(true); }

QString FindBar::matchText() const { return m_matches->text(); }

void FindBar::find(bool backward)
{
    if (!m_view || !m_view->hasEngine())
        return;
    QPointer<QLabel> matches = m_matches;
    const QWebEnginePage::FindFlags flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    m_view->engine()->page()->findText(m_text->text(), flags, [matches](const QWebEngineFindTextResult &result) {
        if (matches)
            matches->setText(result.numberOfMatches() == 0
                                 ? QStringLiteral("0/0")
                                 : QStringLiteral("%1/%2").arg(result.activeMatch()).arg(result.numberOfMatches()));
    });
}

// Escape closes the bar rather than stopping the page, as it does everywhere else in the window.
bool FindBar::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_view && m_view->hasEngine())
            m_view->engine()->page()->findText(QString());
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
