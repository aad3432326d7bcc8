#include "enginecookies.h"

#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

EngineCookies *EngineCookies::of(QWebEngineProfile *profile)
{
    if (auto *cookies = profile->findChild<EngineCookies *>(QString(), Qt::FindDirectChildrenOnly))
        return cookies;
    return new EngineCookies(profile);
}

EngineCookies::EngineCookies(QWebEngineProfile *profile) : QNetworkCookieJar(profile)
{
    QWebEngineCookieStore *store = profile->cookieStore();
    connect(store, &QWebEngineCookieStore::cookieAdded, this, [this](const QNetworkCookie &cookie) { insertCookie(cookie); });
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, [this](const QNetworkCookie &cookie) { deleteCookie(cookie); });
    store->loadAllCookies();
}
