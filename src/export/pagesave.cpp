#include "pagesave.h"

#include "browsing/webview.h"
#include "core/textfile.h"
#include "exportsupport.h"
#include "platform/userdialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cerrno>
#include <cstdio>
#include <cstring>

PageSave::PageSave(ExportSupport &support, QObject *parent) : QObject(parent), m_(support)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &PageSave::timeLimitReached);
}

// The folder of a complete page's pictures and styles, named by the engine after the page.
static QString resourcesOf(const QString &pagePath)
{
    const QFileInfo page(pagePath);
    return page.dir().filePath(page.completeBaseName() + QStringLiteral("_files"));
}

// Something is there under the name, a link that leads nowhere included.
static bool present(const QString &path)
{
    const QFileInfo entry(path);
    return entry.isSymLink() || entry.exists();
}

// Renames an entry as it is (a link as a link); the reason of a failure, or nothing.
static QString move(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? QString()
               : QString::fromLocal8Bit(std::strerror(errno));
}

void PageSave::save()
{
    WebView *view = m_.activeView();
    if (!view->hasEngine())
        return m_.dialogs().message(m_.caption(ExportSupport::nothingCaption, "Nothing could be copied from this page."));
    if (!m_.begin(ExportSupport::savingCaption, "Saving the page..."))
        return;
    m_path = m_.chooseFile(commandCaption, QStringLiteral(".mhtml"), filter);
    if (m_path.isEmpty())
        return m_.finish();
    const QFileInfo target(m_path);
    const bool complete = target.suffix().compare(u"html", Qt::CaseInsensitive) == 0
                          || target.suffix().compare(u"htm", Qt::CaseInsensitive) == 0;
    if (const QString resources = resourcesOf(m_path); complete && present(resources)
        && !m_.dialogs().question(m_.caption(replaceFolderCaption, "A folder of this name holds the pictures "
                                                                            "and styles of a page. Replace it?")
                                           % u'\n' % QDir::toNativeSeparators(resources),
                                           UserDialogs::Default::No))
        return m_.finish();
    m_writing = std::make_unique<QTemporaryDir>(target.absoluteDir().filePath(QStringLiteral(".") + target.fileName()
                                                                              + QStringLiteral(".XXXXXX")));
    if (!m_writing->isValid())
        return done(false, m_writing->errorString());
    QWebEnginePage *page = view->engine()->page();
    connect(page->profile(), &QWebEngineProfile::downloadRequested, this, &PageSave::watch, Qt::UniqueConnection);
    m_limit.start(limitMs);
    page->save(m_writing->filePath(target.fileName()),
               complete ? QWebEngineDownloadRequest::CompleteHtmlSaveFormat
                        : QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}

void PageSave::watch(QWebEngineDownloadRequest *download)
{
    if (!download->isSavePageDownload())
        return;
    const QString writes = QDir(download->downloadDirectory()).filePath(download->downloadFileName());
    // A save that was given up and only now reaches the engine is not this one.
    if (!m_writing || writes != m_writing->filePath(QFileInfo(m_path).fileName())) {
        download->cancel();
        return;
    }
    m_download = download;
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download] {
        if (download != m_download)
            return;
        // The engine's own account of an interruption (interruptReasonString) can crash it.
        if (download->state() == QWebEngineDownloadRequest::DownloadCompleted)
            done(true, QString());
        else
            done(false, tr("the web engine stopped the save (reason %1)").arg(static_cast<int>(download->interruptReason())));
    });
}

void PageSave::timeLimitReached()
{
    if (!m_writing)
        return;
    if (m_download)
        m_download->cancel();
    done(false, tr("the web engine did not save the page within %1 s").arg(limitMs / 1000));
}

// Moves the written page (and a complete page's folder) over the chosen name; the reason of a
// failure, or nothing.
QString PageSave::place()
{
    const QString written = m_writing->filePath(QFileInfo(m_path).fileName());
    if (QFileInfo(written).size() == 0)
        return tr("nothing was written");
    // The engine writes for itself alone; the page gets the permissions of the file it
    // replaces, or those of a new document.
    QFile::setPermissions(written, QFile::exists(m_path) ? QFile::permissions(m_path)
                                                         : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                               | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString resources = resourcesOf(written);
    if (!QFileInfo(resources).isDir())
        return move(written, m_path);
    // The earlier folder waits in the writing folder (which goes with it) until the page is in
    // place, and comes back when it cannot be placed. No page's folder is named like it.
    const QString target = resourcesOf(m_path);
    const QString aside = m_writing->filePath(QStringLiteral(".earlier"));
    const bool earlier = present(target);
    if (earlier) {
        if (const QString failure = move(target, aside); !failure.isEmpty())
            return failure;
    }
    QString failure = move(resources, target);
    if (failure.isEmpty()) {
        failure = move(written, m_path);
        if (!failure.isEmpty())
            move(target, resources);
    }
    if (earlier && !failure.isEmpty())
        move(aside, target);
    return failure;
}

// The engine deletes what it wrote of a failed save on a thread of its own while it reports the
// failure, so a file can vanish while the folder is emptied (the folder itself then stays) or
// appear before the folder goes: the folder is emptied again until it is gone.
static void removeWhileTheEngineLetsGo(const QString &folder)
{
    for (int pass = 0; pass < 10 && !QDir(folder).removeRecursively(); ++pass) {
    }
}

void PageSave::done(bool ok, const QString &reason)
{
    m_limit.stop();
    m_download = nullptr;
    const QString failure = ok ? place() : reason;
    if (m_writing->isValid())
        removeWhileTheEngineLetsGo(m_writing->path());
    m_writing.reset();
    if (failure.isEmpty())
        m_.saved(m_path);
    else
        m_.failed(WriteResult::failure(m_path, failure));
}
