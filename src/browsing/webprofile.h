#pragma once

#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

// The web engine's own data (cookies, cache, site storage), kept in one folder from run to run so
// that logins and site settings survive a restart. The engine's profile is made when the first
// view needs it, so a start without pages costs nothing.
class WebProfile
{
public:
    // A named profile writes its first preferences into its default place, below the user's data
    // folder, before its own folder can be given. Called before the application object exists
    // (no thread of the engine runs yet, so changing the environment is safe): that default place
    // becomes a folder inside the profile's folder for the whole run.
    // What was marked for removal goes here too, before the engine opens it.
    static void prepareFolder(const QString &folder);
    // What the engine keeps open while it runs goes at the next start: the HTTP cache (which the
    // engine of Qt 6.4 can empty at run time only at the risk of holding up the next page for half
    // a minute), and when asked the site storage of every site (local and session storage,
    // IndexedDB, Cache Storage, service workers). False when the mark cannot be written.
    enum class Removal { Cache, CacheAndStorage };
    bool removeAtNextStart(Removal removal) const;
    // Removes what is marked for removal in a profile folder; the engine must not be running on it.
    static void removeMarked(const QString &folder);

    explicit WebProfile(QString folder);
    ~WebProfile();

    QWebEngineProfile *engineProfile();

    // Who decides on the downloads of this profile's pages; without one, only the program's own
    // page saves go through.
    using DownloadHandling = std::function<void(QWebEngineDownloadRequest *)>;
    void setDownloadHandling(DownloadHandling handling) { m_downloads = std::move(handling); }

    // Ends the renderer process of a page that holds it for good (one dialog after another). The
    // engine may have given that process to other pages of the same site too; they ask whether
    // it was the program that ended theirs.
    void endRenderer(qint64 pid);
    bool rendererEndedByProgram(qint64 pid) const { return m_endedRenderers.contains(pid); }

    // The engine's off-the-record profile, for views that belong to no main window.
    static QWebEngineProfile *offTheRecord();

private:
    QString m_folder;
    std::unique_ptr<QWebEngineProfile> m_profile;
    DownloadHandling m_downloads;
    QSet<qint64> m_endedRenderers;
};
