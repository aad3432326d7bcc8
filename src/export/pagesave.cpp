#include "pagesave.h"

#include "browsing/downloadfailure.h"
#include "browsing/webview.h"
#include "core/textfile.h"
#include "exportsupport.h"
#include "filereplacement.h"
#include "platform/userdialogs.h"

#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

PageSave::PageSave(ExportSupport &support, QObject *parent) : QObject(parent), m_(support)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this,
            [this] { done(false, tr("the web engine did not save the page within %1 s").arg(limitMs / 1000)); });
}

PageSave::~PageSave() = default;

void PageSave::save()
{
    WebView *view = m_.activeView();
    if (!view->hasEngine())
        return m_.dialogs().message(m_.caption(ExportSupport::nothingCaption, "Nothing could be copied from this page."));
    if (!m_.begin(ExportSupport::savingCaption, "Saving the page..."))
        return;
    m_path = m_.chooseFile(QStringLiteral(".mhtml"), filter);
    if (m_path.isEmpty())
        return m_.finish();
    const bool complete = m_path.endsWith(u".html", Qt::CaseInsensitive) || m_path.endsWith(u".htm", Qt::CaseInsensitive);
    QString written = m_path;
    if (!complete) {
        m_archive = std::make_unique<FileReplacement>(m_path);
        if (const WriteResult reserved = m_archive->prepare(); !reserved.ok())
            return m_.failed(reserved);
        written = m_archive->temporaryPath();
    }
    QWebEnginePage *page = view->engine()->page();
    // The program saves one page at a time: the next page-save download is this one.
    m_watch = connect(page->profile(), &QWebEngineProfile::downloadRequested, this,
                      [this](QWebEngineDownloadRequest *download) {
                          if (!download->isSavePageDownload())
                              return;
                          disconnect(m_watch);
                          connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download] {
                              if (download->state() == QWebEngineDownloadRequest::DownloadCompleted)
                                  done(true, QString());
                              else
                                  done(false, downloadFailureReason(*download));
                          });
                      });
    m_limit.start(limitMs);
    page->save(written, complete ? QWebEngineDownloadRequest::CompleteHtmlSaveFormat
                                : QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}

void PageSave::done(bool ok, const QString &reason)
{
    if (!m_limit.isActive())
        return;
    m_limit.stop();
    disconnect(m_watch);
    const std::unique_ptr<FileReplacement> archive = std::move(m_archive);
    const WriteResult placed = !ok ? WriteResult::failure(m_path, reason)
                                   : archive ? archive->commit() : WriteResult::success();
    if (placed.ok())
        m_.saved(m_path);
    else
        m_.failed(placed);
}
