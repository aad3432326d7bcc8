#include "documentwindow.h"

#include "webpage.h"
#include "webprofile.h"

#include <QFileInfo>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEngineView>

DocumentWindow *DocumentWindow::showDocument(const QString &file, QWidget *owner)
{
    auto *window = owner->findChild<DocumentWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new DocumentWindow(owner);
    window->setWindowTitle(QFileInfo(file).fileName());
    window->m_view->load(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

DocumentWindow::DocumentWindow(QWidget *owner) : QWidget(owner, Qt::Window), m_view(new QWebEngineView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_view->setPage(new WebPage(WebProfile::offTheRecord(), m_view));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // Large enough to read a page, beside its owner on the owner's screen.
    const QRect screen = owner->screen()->availableGeometry();
    const QSize size(screen.width() * 3 / 5, screen.height() * 4 / 5);
    setGeometry(QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size));
}
