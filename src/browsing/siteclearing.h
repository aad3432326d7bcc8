#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>

class QWebEnginePage;
class QWebEngineProfile;

// Clears what sites left in the web engine's profile: cookies one by one, every cookie, or a
// site's storage. A site's storage (local and session storage, IndexedDB,
// Cache Storage) is cleared by a hidden page that is given the site's origin as its address
// without anything being fetched from the site, in the program's own script world. Service
// workers stay registered: a page that did not come from its site cannot reach them.
class SiteClearing : public QObject
{
    Q_OBJECT
public:
    // An origin whose storage the engine has not cleared by then is passed over.
    static constexpr int originLimitMs = 10000;

    explicit SiteClearing(QWebEngineProfile *profile, QObject *parent = nullptr);
    ~SiteClearing() override;

    // The sites whose cookies the engine holds now: the cookies' domains without a leading dot,
    // in lower case, sorted, once each.
    static QStringList cookieSites(QWebEngineProfile *profile);
    // Whether a cookie of the domain goes to the host ("example.com" goes to "www.example.com").
    static bool domainCovers(const QString &domain, const QString &host);

    // The cookies that go to one of the hosts, those of a kept domain excepted.
    void removeCookies(const QStringList &hosts, const QStringList &keptDomains);
    void removeAllCookies();
    // Clears the storage of the origins one after the other; then done.
    void clearStorage(const QList<QUrl> &origins, std::function<void()> done);

public slots:
    // The origin being cleared has had its time: the next one comes.
    void originLimitReached();

private:
    void clearNext();

    QWebEngineProfile *m_profile;
    QWebEnginePage *m_page = nullptr;
    QList<QUrl> m_origins;
    std::function<void()> m_done;
    // Tells the title that ends the clearing of the current origin from any other.
    quint64 m_round = 0;
    QTimer m_limit;
};
