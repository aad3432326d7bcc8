#include "downloadhandler.h"

#include "core/programstate.h"
#include "downloadfailure.h"
#include "platform/userdialogs.h"
#include "webpage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QWebEngineDownloadRequest>

DownloadHandler::DownloadHandler(ProgramState &state, UserDialogs &dialogs, QLabel *statusBar,
                                 QProgressBar *progressBar, QObject *parent)
    : QObject(parent), m_state(state), m_dialogs(dialogs), m_statusBar(statusBar), m_progressBar(progressBar)
{
}

void DownloadHandler::handle(QWebEngineDownloadRequest *download)
{
    if (download->isSavePageDownload()) {
        download->accept();
        return;
    }
    const auto *page = qobject_cast<const WebPage *>(download->page());
    const QString name = download->suggestedFileName();
    if (!page || !page->userActedRecently()) {
        download->cancel();
        m_progressBar->setValue(100);
        m_statusBar->setText(m_state.caption(refusedCaption, "A download you did not start was refused:") %
                             u' ' % name);
        return;
    }
    const QString path = m_dialogs.saveFileName(name, QStringLiteral("All files (*)"));
    if (path.isEmpty()) {
        download->cancel();
        showPageTitle();
        return;
    }
    follow(download, path);
}

void DownloadHandler::follow(QWebEngineDownloadRequest *download, const QString &path)
{
    const QFileInfo target(path);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            [this, download] { showProgress(download); });
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this,
            [this, download, path] { finish(download, path); });
    // The engine holds an interrupted download (a full or read-only disk) for a resumption the
    // program does not offer, and never calls it finished: it ends here. Ending it does not reach
    // the engine's half-written file beside the chosen name, which goes as well.
    connect(download, &QWebEngineDownloadRequest::stateChanged, this, [this, download, path](auto state) {
        if (state != QWebEngineDownloadRequest::DownloadInterrupted)
            return;
        disconnect(download, nullptr, this, nullptr);
        finish(download, path);
        download->cancel();
        QFile::remove(path + QStringLiteral(".download"));
    });
    download->accept();
    showProgress(download);
}

void DownloadHandler::showProgress(QWebEngineDownloadRequest *download)
{
    const qint64 total = download->totalBytes();
    const int percent = total > 0 ? int(download->receivedBytes() * 100 / total) : 0;
    m_progressBar->setValue(percent);
    m_statusBar->setText(download->downloadFileName() % u"  " % QString::number(percent) % u'%');
}

void DownloadHandler::finish(QWebEngineDownloadRequest *download, const QString &path)
{
    m_progressBar->setValue(100);
    const QString shown = QDir::toNativeSeparators(path);
    switch (download->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        m_statusBar->setText(m_state.caption(savedCaption, "Saved:") % u' ' % shown);
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        m_statusBar->setText(m_state.caption(failedCaption, "The download failed:") % u' ' % shown % u" (" %
                             downloadFailureReason(*download) % u')');
        break;
    default:
        showPageTitle();
        break;
    }
}

void DownloadHandler::showPageTitle() { m_statusBar->setText(m_state.pageTitle); }
