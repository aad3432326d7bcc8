#include "picturefetch.h"

#include <QBuffer>
#include <QHostAddress>
#include <QImage>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>

PictureFetch::PictureFetch(QObject *parent) : QObject(parent)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &PictureFetch::timeLimitReached);
}

static bool isLocal(const QUrl &url)
{
    const QString host = url.host();
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0 || host.endsWith(u".localhost", Qt::CaseInsensitive))
        return true;
    QHostAddress address(host);
    bool mapped = false;
    if (const quint32 ipv4 = address.toIPv4Address(&mapped); mapped)
        address = QHostAddress(ipv4);
    if (address.isNull())
        return false;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        for (const char *subnet : {"0.0.0.0/8", "10.0.0.0/8", "100.64.0.0/10", "127.0.0.0/8", "169.254.0.0/16",
                                   "172.16.0.0/12", "192.168.0.0/16"}) {
            if (address.isInSubnet(QHostAddress::parseSubnet(QString::fromLatin1(subnet))))
                return true;
        }
        return false;
    }
    return address.isLoopback() || address.isLinkLocal() || address.isSiteLocal() || address.isUniqueLocalUnicast()
           || address == QHostAddress::AnyIPv6;
}

static bool isWeb(const QUrl &url)
{
    return (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

bool PictureFetch::allowed(const QUrl &picture, const QUrl &page)
{
    return isWeb(picture) && isWeb(page) && (!isLocal(picture) || isLocal(page));
}

// The engine's own rules: another origin gets the page's origin as referrer (nothing when
// going from https to http), and a cookie kept from requests of other sites only when its
// site allows those (SameSite=None).
static QNetworkRequest requestFor(const QUrl &picture, const QUrl &page, const QNetworkCookieJar &cookies)
{
    QNetworkRequest request(picture);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Accept", "image/*");
    if (!(page.scheme() == u"https" && picture.scheme() != u"https"))
        request.setRawHeader("Referer", page.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment
                                                      | QUrl::RemoveUserInfo).toEncoded() + '/');
    const bool sameSite = picture.scheme() == page.scheme() && picture.host().compare(page.host(), Qt::CaseInsensitive) == 0;
    QByteArrayList sent;
    for (const QNetworkCookie &cookie : cookies.cookiesForUrl(picture)) {
        if (sameSite || cookie.sameSitePolicy() == QNetworkCookie::SameSite::None)
            sent.append(cookie.toRawForm(QNetworkCookie::NameAndValueOnly));
    }
    if (!sent.isEmpty())
        request.setRawHeader("Cookie", sent.join("; "));
    return request;
}

void PictureFetch::run(const QList<QUrl> &pictures, const QUrl &page, const QNetworkCookieJar &cookies,
                       std::function<void(const QByteArrayList &)> done)
{
    m_done = std::move(done);
    m_pictures = QByteArrayList(pictures.size());
    m_replies.clear();
    for (qsizetype number = 0; number < pictures.size(); ++number) {
        if (!allowed(pictures[number], page)) {
            m_replies.append(nullptr);
            continue;
        }
        QNetworkReply *reply = m_network.get(requestFor(pictures[number], page, cookies));
        m_replies.append(reply);
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > largestBytes)
                reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this, [this, number, reply] { answered(number, reply); });
    }
    m_limit.start(limitMs);
    // Answered at once when nothing was asked for, but never before run has returned.
    QTimer::singleShot(0, this, &PictureFetch::finishIfDone);
}

void PictureFetch::answered(qsizetype number, QNetworkReply *reply)
{
    reply->deleteLater();
    if (number >= m_replies.size() || m_replies[number] != reply)
        return;
    m_replies[number] = nullptr;
    if (reply->error() == QNetworkReply::NoError) {
        const QImage image = QImage::fromData(reply->readAll());
        QBuffer png(&m_pictures[number]);
        if (image.isNull() || !png.open(QIODevice::WriteOnly) || !image.save(&png, "PNG"))
            m_pictures[number].clear();
    }
    finishIfDone();
}

void PictureFetch::finishIfDone()
{
    for (const QPointer<QNetworkReply> &reply : std::as_const(m_replies)) {
        if (reply)
            return;
    }
    m_limit.stop();
    if (const auto done = std::exchange(m_done, nullptr))
        done(m_pictures);
}

void PictureFetch::timeLimitReached()
{
    const QList<QPointer<QNetworkReply>> coming = std::exchange(m_replies, {});
    for (const QPointer<QNetworkReply> &reply : coming) {
        if (reply)
            reply->abort();
    }
    finishIfDone();
}
