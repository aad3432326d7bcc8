#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

// A small HTTP server on 127.0.0.1 and a free port, serving pages the test writes.
class TestHttpServer : public QObject
{
    Q_OBJECT
public:
    explicit TestHttpServer(QObject *parent = nullptr);
    // One that speaks https, with the certificate and key of tls/ (for "localhost").
    static std::unique_ptr<TestHttpServer> withTls();

    quint16 port() const;
    // "http://127.0.0.1:<port>" (https for one with TLS) followed by the path.
    QString url(const QString &path) const;

    void setPage(const QString &path, const QByteArray &html, const QByteArray &contentType = "text/html");
    void setRedirect(const QString &path, const QString &target);
    // A page whose answer never comes: the request is taken and the connection left open.
    void setHeld(const QString &path);
    // A file whose answer announces its whole length and breaks off after half of it.
    void setCutShort(const QString &path, const QByteArray &body, const QByteArray &contentType);
    // The page set for a path is served only to a request whose Cookie header holds the text;
    // any other request is answered "Not Found".
    void requireCookie(const QString &path, const QByteArray &cookie);
    // The files of a folder, below a path prefix ending in '/', each read when it is asked for;
    // a path ending in '/' is its folder's index.html. Pages set one by one come first. The
    // filter, when given, changes each HTML file before it is sent.
    using HtmlFilter = std::function<QByteArray(const QByteArray &html)>;
    void setFolder(const QString &prefix, const QString &folder, HtmlFilter filter = {});

    // The paths asked for, in order (query included), and the method of each request.
    const QStringList &requests() const { return m_requests; }
    const QList<QByteArray> &methods() const { return m_methods; }
    int requestCount(const QString &path) const { return m_requests.count(path); }
    // The request line and headers of the last request for a path.
    QByteArray lastRequest(const QString &path) const { return m_lastRequests.value(path); }

signals:
    void requested(const QString &path);

private:
    TestHttpServer(QTcpServer *server, QObject *parent);

    struct Response
    {
        int status = 200;
        QByteArray contentType;
        QByteArray body;
        QByteArray location;
        bool held = false;
        bool cutShort = false;
    };
    void serve(QTcpSocket *socket);
    Response fromFolder(const QString &path) const;

    QTcpServer *m_server;
    QString m_scheme = QStringLiteral("http");
    QHash<QString, Response> m_pages;
    QHash<QString, QByteArray> m_cookies;
    struct Folder
    {
        QString path;
        HtmlFilter filter;
    };
    QHash<QString, Folder> m_folders;
    QStringList m_requests;
    QList<QByteArray> m_methods;
    QHash<QString, QByteArray> m_lastRequests;
};
