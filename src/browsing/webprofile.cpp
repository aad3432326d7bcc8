#include "webprofile.h"

#include "enginecookies.h"
#include "platform/childenvironment.h"
#include "requestrules.h"
#include "platform/ownfolders.h"

#include <QWebEngineDownloadRequest>
#include <QFile>
#include <QVariant>
#include <QWebEngineProfile>
#include <csignal>

// Only the program's own page saves are downloads of their own accord.
static void refuseUnaskedDownload(QWebEngineDownloadRequest *download)
{
    if (download->isSavePageDownload())
        download->accept();
    else
        download->cancel();
}

static void refuseUnaskedDownloads(QWebEngineProfile *profile)
{
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile, &refuseUnaskedDownload);
}

WebProfile::WebProfile(QString folder) : m_folder(std::move(folder)) {}

WebProfile::~WebProfile() = default;

// The engine's folders of site storage and of its cache; the files that mark them for removal.
static const char *const storageFolders[] = {"Local Storage", "Session Storage", "IndexedDB", "WebStorage",
                                             "Service Worker", "databases", "File System", "blob_storage"};
static const char *const cacheFolder = "Cache";
static const QString cacheMark = QStringLiteral("/RemoveCache");
static const QString storageMark = QStringLiteral("/RemoveStorage");

bool WebProfile::removeAtNextStart(Removal removal) const
{
    QFile cache(m_folder + cacheMark);
    QFile storage(m_folder + storageMark);
    return cache.open(QIODevice::WriteOnly) && (removal == Removal::Cache || storage.open(QIODevice::WriteOnly));
}

void WebProfile::removeMarked(const QString &folder)
{
    const auto remove = [&folder](const char *name) { OwnFolders::removeTree(folder % u'/' % QLatin1String(name)); };
    if (QFile::exists(folder + cacheMark)) {
        remove(cacheFolder);
        QFile::remove(folder + cacheMark);
    }
    if (QFile::exists(folder + storageMark)) {
        for (const char *name : storageFolders)
            remove(name);
        QFile::remove(folder + storageMark);
    }
}

void WebProfile::prepareFolder(const QString &folder)
{
    removeMarked(folder);
    ChildEnvironment::remember();
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("/Engine")));
}

QWebEngineProfile *WebProfile::engineProfile()
{
    if (!m_profile) {
        m_profile = std::make_unique<QWebEngineProfile>(QStringLiteral("TamzoTravel"));
        m_profile->setPersistentStoragePath(m_folder);
        m_profile->setCachePath(m_folder % u'/' % QLatin1String(cacheFolder));
        m_profile->setUrlRequestInterceptor(new RequestRules(m_profile.get()));
        EngineCookies::of(m_profile.get());
        QObject::connect(m_profile.get(), &QWebEngineProfile::downloadRequested, m_profile.get(),
                         [this](QWebEngineDownloadRequest *download) {
                             if (m_downloads)
                                 m_downloads(download);
                             else
                                 refuseUnaskedDownload(download);
                         });
    }
    return m_profile.get();
}

void WebProfile::endRenderer(qint64 pid)
{
    m_endedRenderers.insert(pid);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}

QWebEngineProfile *WebProfile::offTheRecord()
{
    QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
    if (!profile->property("tamzoConfigured").toBool()) {
        profile->setProperty("tamzoConfigured", true);
        refuseUnaskedDownloads(profile);
        profile->setUrlRequestInterceptor(new RequestRules(profile));
        EngineCookies::of(profile);
    }
    return profile;
}
