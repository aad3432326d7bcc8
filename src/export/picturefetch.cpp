#include "picturefetch.h"

#include "core/networkreach.h"

#include <QBuffer>
#include <QHostInfo>
#include <QImage>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>

PictureFetch::PictureFetch(QObject *parent) : QObject(parent)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &PictureFetch::timeLimitReached);
    // The connection goes to the address checked, not to where a proxy would resolve the name.
    m_network.setProxy(QNetworkProxy::NoProxy);
}

static bool isWeb(const QUrl &url)
{
    return (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

// The engine's own rule: a cookie kept from requests of other sites goes along only when its
// site allows those (SameSite=None).
static QByteArray cookiesFor(const QUrl &picture, const QUrl &page, const QNetworkCookieJar &cookies)
{
    const bool sameSite = picture.scheme() == page.scheme() && picture.host().compare(page.host(), Qt::CaseInsensitive) == 0;
    QByteArrayList sent;
    for (const QNetworkCookie &cookie : cookies.cookiesForUrl(picture)) {
        if (sameSite || cookie.sameSitePolicy() == QNetworkCookie::SameSite::None)
            sent.append(cookie.toRawForm(QNetworkCookie::NameAndValueOnly));
    }
    return sent.join("; ");
}

void PictureFetch::run(const QList<QUrl> &pictures, const QUrl &page, const QNetworkCookieJar &cookies,
                       std::function<void(const QByteArrayList &)> done)
{
    m_done = std::move(done);
    m_page = page;
    m_pictures = QByteArrayList(pictures.size());
    m_coming = QList<Coming>(pictures.size());
    for (qsizetype number = 0; number < pictures.size(); ++number) {
        const QUrl &picture = pictures[number];
        if (!isWeb(picture) || !isWeb(page) || !NetworkReach::mayLead(page, picture))
            continue;
        Coming &coming = m_coming[number];
        coming.picture = picture;
        coming.cookies = cookiesFor(picture, page, cookies);
        // An address needs no resolving (the resolver would look up its name in reverse).
        if (const QHostAddress address(picture.host()); !address.isNull()) {
            coming.addresses = {address};
            ask(number);
        } else {
            coming.lookup = QHostInfo::lookupHost(picture.host(), this,
                                                  [this, number](const QHostInfo &host) { resolved(number, host); });
        }
    }
    m_limit.start(limitMs);
    // Answered at once when nothing was asked for, but never before run has returned.
    QTimer::singleShot(0, this, &PictureFetch::finishIfDone);
}

// Every address of the name is checked, so that none the connection might take is local.
void PictureFetch::resolved(qsizetype number, const QHostInfo &host)
{
    if (number >= m_coming.size() || m_coming[number].lookup != host.lookupId())
        return;
    Coming &coming = m_coming[number];
    coming.lookup = -1;
    const QList<QHostAddress> addresses = host.addresses();
    const bool local = std::any_of(addresses.begin(), addresses.end(), &NetworkReach::isLocalAddress);
    if (host.error() == QHostInfo::NoError && !addresses.isEmpty() && !(local && NetworkReach::isPublicPage(m_page))) {
        coming.addresses = addresses;
        ask(number);
    }
    finishIfDone();
}

// The request goes to the address itself and names the host, for the server and for the
// certificate, which is checked against the host's name. The engine's own rule for the referrer:
// another origin gets the page's origin (nothing when going from https to http).
void PictureFetch::ask(qsizetype number)
{
    Coming &coming = m_coming[number];
    const QUrl &picture = coming.picture;
    QUrl direct = picture.adjusted(QUrl::RemoveUserInfo);
    direct.setHost(coming.addresses.takeFirst().toString());
    QNetworkRequest request(direct);
    request.setRawHeader("Host", picture.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1());
    request.setPeerVerifyName(picture.host(QUrl::FullyEncoded));
    // HTTP/2 would name the address instead of the host.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Accept", "image/*");
    request.setRawHeader("Accept-Encoding", "identity");
    if (!(m_page.scheme() == u"https" && picture.scheme() != u"https"))
        request.setRawHeader("Referer", m_page.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment
                                                        | QUrl::RemoveUserInfo).toEncoded() + '/');
    if (!coming.cookies.isEmpty())
        request.setRawHeader("Cookie", coming.cookies);
    QNetworkReply *reply = m_network.get(request);
    coming.reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > largestBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, number, reply] { answered(number, reply); });
}

void PictureFetch::answered(qsizetype number, QNetworkReply *reply)
{
    reply->deleteLater();
    if (number >= m_coming.size() || m_coming[number].reply != reply)
        return;
    m_coming[number].reply = nullptr;
    if (reply->error() == QNetworkReply::ConnectionRefusedError && !m_coming[number].addresses.isEmpty())
        return ask(number);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
        const QImage image = QImage::fromData(reply->readAll());
        QBuffer png(&m_pictures[number]);
        if (image.isNull() || !png.open(QIODevice::WriteOnly) || !image.save(&png, "PNG"))
            m_pictures[number].clear();
    }
    finishIfDone();
}

void PictureFetch::finishIfDone()
{
    if (std::any_of(m_coming.cbegin(), m_coming.cend(), [](const Coming &coming) { return coming.waiting(); }))
        return;
    m_limit.stop();
    if (const auto done = std::exchange(m_done, nullptr))
        done(m_pictures);
}

void PictureFetch::timeLimitReached()
{
    const QList<Coming> coming = std::exchange(m_coming, {});
    for (const Coming &picture : coming) {
        if (picture.lookup != -1)
            QHostInfo::abortHostLookup(picture.lookup);
        if (picture.reply)
            picture.reply->abort();
    }
    finishIfDone();
}
