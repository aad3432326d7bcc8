#include "testhttpserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

TestHttpServer::TestHttpServer(QObject *parent) : TestHttpServer(new QTcpServer, parent) {}

std::unique_ptr<TestHttpServer> TestHttpServer::withTls()
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    QFile certificate(QStringLiteral(TAMZO_SOURCE_DIR "/tests/support/tls/localhost.pem"));
    QFile key(QStringLiteral(TAMZO_SOURCE_DIR "/tests/support/tls/localhost.key"));
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        qFatal("The test certificate could not be read");
    tls.setLocalCertificate(QSslCertificate(&certificate));
    tls.setPrivateKey(QSslKey(&key, QSsl::Rsa));
    auto *server = new QSslServer;
    server->setSslConfiguration(tls);
    std::unique_ptr<TestHttpServer> https(new TestHttpServer(server, nullptr));
    https->m_scheme = QStringLiteral("https");
    return https;
}

TestHttpServer::TestHttpServer(QTcpServer *server, QObject *parent) : QObject(parent), m_server(server)
{
    m_server->setParent(this);
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        qFatal("The test server could not listen on 127.0.0.1");
    const auto take = [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    };
    connect(m_server, &QTcpServer::newConnection, this, take);
    // A TLS connection is pending only once its handshake is done.
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, take);
}

quint16 TestHttpServer::port() const { return m_server->serverPort(); }

QString TestHttpServer::url(const QString &path) const
{
    return QStringLiteral("%1://127.0.0.1:%2%3").arg(m_scheme).arg(port()).arg(path);
}

void TestHttpServer::setPage(const QString &path, const QByteArray &html, const QByteArray &contentType)
{
    m_pages[path] = Response{200, contentType, html, {}, false};
}

void TestHttpServer::setRedirect(const QString &path, const QString &target)
{
    m_pages[path] = Response{302, "text/html", "<html></html>", target.toUtf8(), false};
}

void TestHttpServer::setHeld(const QString &path)
{
    Response held;
    held.held = true;
    m_pages[path] = held;
}

void TestHttpServer::setCutShort(const QString &path, const QByteArray &body, const QByteArray &contentType)
{
    Response cut{200, contentType, body, {}, false};
    cut.cutShort = true;
    m_pages[path] = cut;
}

void TestHttpServer::setFolder(const QString &prefix, const QString &folder, HtmlFilter filter)
{
    m_folders.insert(prefix, Folder{QDir(folder).canonicalPath(), std::move(filter)});
}

TestHttpServer::Response TestHttpServer::fromFolder(const QString &path) const
{
    static const QHash<QString, QByteArray> types = {
        {"html", "text/html"}, {"htm", "text/html"},   {"css", "text/css"},     {"js", "text/javascript"},
        {"png", "image/png"},  {"gif", "image/gif"},   {"jpg", "image/jpeg"},   {"svg", "image/svg+xml"},
        {"txt", "text/plain"}, {"xml", "text/xml"},    {"pdf", "application/pdf"}};
    const QString local = QUrl::fromPercentEncoding(path.section(u'?', 0, 0).toUtf8());
    for (auto it = m_folders.cbegin(); it != m_folders.cend(); ++it) {
        if (!local.startsWith(it.key()))
            continue;
        const Folder &folder = it.value();
        QString file = QDir::cleanPath(folder.path + u'/' + local.mid(it.key().size()));
        if (local.endsWith(u'/'))
            file += QStringLiteral("/index.html");
        // Nothing outside the folder is served, whatever the path climbs through.
        if (!file.startsWith(folder.path + u'/'))
            continue;
        QFile content(file);
        if (QFileInfo(file).isFile() && content.open(QIODevice::ReadOnly)) {
            const QByteArray type = types.value(QFileInfo(file).suffix().toLower(), "application/octet-stream");
            const QByteArray body = content.readAll();
            return Response{200, type, type == "text/html" && folder.filter ? folder.filter(body) : body, {}, false};
        }
    }
    return Response{404, "text/html", "<html><body>Not found</body></html>", {}, false};
}

void TestHttpServer::requireCookie(const QString &path, const QByteArray &cookie) { m_cookies.insert(path, cookie); }

void TestHttpServer::serve(QTcpSocket *socket)
{
    QByteArray request = socket->property("pending").toByteArray() + socket->readAll();
    if (!request.contains("\r\n\r\n")) {
        socket->setProperty("pending", request);
        return;
    }
    socket->setProperty("pending", QByteArray());
    const QList<QByteArray> firstLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = firstLine.size() > 1 ? QString::fromUtf8(firstLine[1]) : QString();
    m_requests.append(path);
    m_methods.append(firstLine.value(0));
    m_lastRequests.insert(path, request.left(request.indexOf("\r\n\r\n")));
    emit requested(path);

    const auto found = m_pages.constFind(path);
    Response response = found != m_pages.constEnd() ? *found : fromFolder(path);
    if (m_cookies.contains(path)) {
        QByteArray cookies;
        for (const QByteArray &line : request.left(request.indexOf("\r\n\r\n")).split('\n')) {
            if (line.toLower().startsWith("cookie:"))
                cookies = line;
        }
        if (!cookies.contains(m_cookies.value(path)))
            response = Response{404, "text/plain", "no cookie", {}, false};
    }
    if (response.held)
        return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) +
                      (response.status == 200 ? " OK" : response.status == 302 ? " Found" : " Not Found") +
                      "\r\nContent-Type: " + response.contentType +
                      "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                      "\r\nCache-Control: no-store\r\nConnection: close\r\n";
    if (!response.location.isEmpty())
        head += "Location: " + response.location + "\r\n";
    socket->write(head + "\r\n" + (response.cutShort ? response.body.left(response.body.size() / 2) : response.body));
    socket->disconnectFromHost();
}
