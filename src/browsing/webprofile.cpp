#include "webprofile.h"

#include <QWebEngineDownloadRequest>
#include <QVariant>
#include <QWebEngineProfile>

// Downloads start only when the program saves a page for the user; any other is refused.
static void refuseUnaskedDownloads(QWebEngineProfile *profile)
{
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *download) {
                         if (download->isSavePageDownload())
                             download->accept();
                         else
                             download->cancel();
                     });
}

WebProfile::WebProfile(QString folder) : m_folder(std::move(folder)) {}

WebProfile::~WebProfile() = default;

QWebEngineProfile *WebProfile::engineProfile()
{
    if (!m_profile) {
        m_profile = std::make_unique<QWebEngineProfile>(QStringLiteral("TamzoTravel"));
        m_profile->setPersistentStoragePath(m_folder);
        m_profile->setCachePath(m_folder + QStringLiteral("/Cache"));
        refuseUnaskedDownloads(m_profile.get());
    }
    return m_profile.get();
}

QWebEngineProfile *WebProfile::offTheRecord()
{
    QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
    if (!profile->property("tamzoConfigured").toBool()) {
        profile->setProperty("tamzoConfigured", true);
        refuseUnaskedDownloads(profile);
    }
    return profile;
}
