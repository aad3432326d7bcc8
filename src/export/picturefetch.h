#pragma once

#include <QByteArrayList>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <functional>

class QHostInfo;
class QNetworkCookieJar;

// Pictures a page shows but may not read back (from another site that does not allow it),
// asked for again over the program's own connection as the page's request went: with the
// engine's cookies for them and the page's origin as referrer. Only http and https are asked
// for. The picture's host is resolved here and the connection goes to an address that was
// checked: a public page's pictures come from public addresses only (every address the name
// has must be public), and a redirection is a picture that did not come. Each answer is decoded
// here and kept as its pixels alone, in PNG; what has not come within the time limit is left out.
class PictureFetch : public QObject
{
    Q_OBJECT
public:
    static constexpr int limitMs = 3000;
    static constexpr qint64 largestBytes = 32 * 1024 * 1024;

    explicit PictureFetch(QObject *parent = nullptr);

    // done runs once, later, with a PNG for each picture, empty for one that did not come.
    void run(const QList<QUrl> &pictures, const QUrl &page, const QNetworkCookieJar &cookies,
             std::function<void(const QByteArrayList &)> done);

public slots:
    // The time limit has passed: the pictures still coming are left out.
    void timeLimitReached();

private:
    // One picture on its way: its host being resolved, then its answer coming from one of the
    // host's addresses, tried in turn while they refuse the connection.
    struct Coming
    {
        QUrl picture;
        QByteArray cookies;
        QList<QHostAddress> addresses;
        int lookup = -1;
        QPointer<QNetworkReply> reply;
        bool waiting() const { return lookup != -1 || reply; }
    };
    void resolved(qsizetype number, const QHostInfo &host);
    void ask(qsizetype number);
    void answered(qsizetype number, QNetworkReply *reply);
    void finishIfDone();

    QNetworkAccessManager m_network;
    QTimer m_limit;
    QUrl m_page;
    QList<Coming> m_coming;
    QByteArrayList m_pictures;
    std::function<void(const QByteArrayList &)> m_done;
};
