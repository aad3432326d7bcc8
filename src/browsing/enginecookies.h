#pragma once

#include <QNetworkCookie>
#include <QNetworkCookieJar>

class QWebEngineProfile;

// The cookies the web engine holds for a profile, followed as they come and go, for the few
// requests the program makes on behalf of a page.
class EngineCookies : public QNetworkCookieJar
{
    Q_OBJECT
public:
    // The profile's cookies, followed from the first call on (with those the engine has stored).
    static EngineCookies *of(QWebEngineProfile *profile);
    // Every cookie the engine holds now.
    QList<QNetworkCookie> held() const { return allCookies(); }

private:
    explicit EngineCookies(QWebEngineProfile *profile);
};
