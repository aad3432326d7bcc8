#include "siteclearing.h"

#include "enginecookies.h"

#include <QNetworkCookie>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>

namespace {

// The page asks for nothing, not even an icon.
const QString blankPage = QStringLiteral("<html><head><link rel=\"icon\" href=\"data:,\"></head><body></body></html>");

// Clears the origin's storage, then names the round in the title. A part the document may not
// reach is passed over.
const QString clearScript = QStringLiteral(R"((async (round) => {
    try { localStorage.clear(); sessionStorage.clear(); } catch (e) {}
    try {
        if (self.indexedDB && indexedDB.databases)
            for (const db of await indexedDB.databases())
                await new Promise(done => {
                    const request = indexedDB.deleteDatabase(db.name);
                    request.onsuccess = request.onerror = request.onblocked = done;
                });
    } catch (e) {}
    try {
        if (self.caches)
            for (const key of await caches.keys())
                await caches.delete(key);
    } catch (e) {}
    document.title = round;
})('%1'))");

QString roundTitle(quint64 round) { return QStringLiteral("tamzo-cleared-") + QString::number(round); }

} // namespace

SiteClearing::SiteClearing(QWebEngineProfile *profile, QObject *parent) : QObject(parent), m_profile(profile)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &SiteClearing::originLimitReached);
}

// The hidden page lives only while it clears: the profile must outlive every page of its own.
SiteClearing::~SiteClearing() { delete m_page; }

QStringList SiteClearing::cookieSites(QWebEngineProfile *profile)
{
    QStringList sites;
    for (const QNetworkCookie &cookie : EngineCookies::of(profile)->held()) {
        QString domain = cookie.domain().toLower();
        if (domain.startsWith(u'.'))
            domain.remove(0, 1);
        if (!domain.isEmpty())
            sites.append(domain);
    }
    sites.sort();
    sites.removeDuplicates();
    return sites;
}

bool SiteClearing::domainCovers(const QString &domain, const QString &host)
{
    QString bare = domain.toLower();
    if (bare.startsWith(u'.'))
        bare.remove(0, 1);
    const QString name = host.toLower();
    return !bare.isEmpty() && (name == bare || name.endsWith(u'.' + bare));
}

void SiteClearing::removeCookies(const QStringList &hosts, const QStringList &keptDomains)
{
    for (const QNetworkCookie &cookie : EngineCookies::of(m_profile)->held()) {
        QString domain = cookie.domain().toLower();
        if (domain.startsWith(u'.'))
            domain.remove(0, 1);
        if (keptDomains.contains(domain))
            continue;
        if (std::any_of(hosts.cbegin(), hosts.cend(), [&](const QString &host) { return domainCovers(domain, host); }))
            m_profile->cookieStore()->deleteCookie(cookie);
    }
}

void SiteClearing::removeAllCookies() { m_profile->cookieStore()->deleteAllCookies(); }

void SiteClearing::clearStorage(const QList<QUrl> &origins, std::function<void()> done)
{
    m_origins = origins;
    m_done = std::move(done);
    if (!m_page) {
        m_page = new QWebEnginePage(m_profile);
        m_page->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
            m_page->runJavaScript(clearScript.arg(roundTitle(m_round)), QWebEngineScript::ApplicationWorld);
        });
        connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
            if (title == roundTitle(m_round))
                clearNext();
        });
    }
    clearNext();
}

void SiteClearing::originLimitReached() { clearNext(); }

void SiteClearing::clearNext()
{
    ++m_round;
    if (m_origins.isEmpty()) {
        m_limit.stop();
        if (m_page)
            std::exchange(m_page, nullptr)->deleteLater();
        if (const std::function<void()> done = std::exchange(m_done, nullptr))
            done();
        return;
    }
    m_limit.start(originLimitMs);
    m_page->setHtml(blankPage, m_origins.takeFirst());
}
