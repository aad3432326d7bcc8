#pragma once

#include <QByteArrayList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <functional>

class QNetworkCookieJar;
class QNetworkReply;

// Pictures a page shows but may not read back (from another site that does not allow it),
// asked for again over the program's own connection as the page's request went: with the
// engine's cookies for them and the page's origin as referrer. Only http and https are asked
// for, and a loopback or private address only for a page on one. Each answer is decoded here
// and kept as its pixels alone, in PNG; what has not come within the time limit is left out.
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

    static bool allowed(const QUrl &picture, const QUrl &page);

public slots:
    // The time limit has passed: the pictures still coming are left out.
    void timeLimitReached();

private:
    void answered(qsizetype number, QNetworkReply *reply);
    void finishIfDone();

    QNetworkAccessManager m_network;
    QTimer m_limit;
    QList<QPointer<QNetworkReply>> m_replies;
    QByteArrayList m_pictures;
    std::function<void(const QByteArrayList &)> m_done;
};
