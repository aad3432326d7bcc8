#include "pagesave.h"

#include "browsing/webview.h"
#include "core/textfile.h"
#include "exportsupport.h"
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
                                  done(false, download->interruptReasonString());
                          });
                      });
    m_limit.start(limitMs);
    page->save(m_path, complete ? QWebEngineDownloadRequest::CompleteHtmlSaveFormat
                                : QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}

void PageSave::done(bool ok, const QString &reason)
{
    if (!m_limit.isActive())
        return;
    m_limit.stop();
    disconnect(m_watch);
    if (ok)
        m_.saved(m_path);
    else
        m_.failed(WriteResult::failure(m_path, reason));
}
