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
#include <QTemporaryFile>
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
    if (const auto resumed = m_following.constFind(download->id()); resumed != m_following.constEnd()) {
        follow(download, *resumed);
        return;
    }
    auto *page = qobject_cast<WebPage *>(download->page());
    const QString name = download->suggestedFileName();
    if (!page || !page->takeUserRequest()) {
        download->cancel();
        m_progressBar->setValue(100);
        m_statusBar->setText(m_state.caption(refusedCaption, "A download you did not start was refused:") %
                             u' ' % name);
        return;
    }
    const QString path = m_dialogs.saveFileName(m_state.caption(saveDownloadCaption, "Save the download"), name, QStringLiteral("All files (*)"));
    const bool taken = QFileInfo(path).isSymLink() || QFileInfo::exists(path);
    if (path.isEmpty() || (taken && !m_dialogs.question(m_state.caption(replaceCaption, "A file of this name is "
                                                                                               "there already. Replace it?")
                                                                 % u'\n' % QDir::toNativeSeparators(path),
                                                                 UserDialogs::Default::No))) {
        download->cancel();
        showPageTitle();
        return;
    }
    // The engine would wait for good on a folder it cannot write into: a trial file tells.
    QTemporaryFile trial(QFileInfo(path).absolutePath() % u"/.download-XXXXXX");
    if (!trial.open()) {
        download->cancel();
        m_progressBar->setValue(100);
        m_statusBar->setText(failure(path, m_state.caption(unwritableCaption, "the folder cannot be written")));
        return;
    }
    follow(download, path);
}

QString DownloadHandler::failure(const QString &path, const QString &reason) const
{
    return m_state.caption(failedCaption, "The download failed:") % u' ' % QDir::toNativeSeparators(path) % u" (" %
           reason % u')';
}

void DownloadHandler::follow(QWebEngineDownloadRequest *download, const QString &path)
{
    const QFileInfo target(path);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    m_following.insert(download->id(), path);
    download->disconnect(this);
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            [this, download] { showProgress(download); });
    connect(download, &QWebEngineDownloadRequest::stateChanged, this,
            [this, download, path](QWebEngineDownloadRequest::DownloadState state) {
                if (state != QWebEngineDownloadRequest::DownloadInProgress &&
                    state != QWebEngineDownloadRequest::DownloadRequested)
                    finish(download, path);
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
    m_following.remove(download->id());
    switch (download->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        m_statusBar->setText(m_state.caption(savedCaption, "Saved:") % u' ' % QDir::toNativeSeparators(path));
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        m_statusBar->setText(failure(path, downloadFailureReason(*download)));
        // The engine holds an interrupted download (a full or read-only disk) for a resumption the
        // program does not offer: it is given up. Ending it does not reach the engine's
        // half-written file beside the chosen name, which goes as well.
        download->disconnect(this);
        download->cancel();
        QFile::remove(path + QStringLiteral(".download"));
        break;
    default:
        showPageTitle();
        break;
    }
}

void DownloadHandler::showPageTitle() { m_statusBar->setText(m_state.pageTitle); }
