#include "testhttpserver.h"

#include <QTcpServer>
#include <QTcpSocket>

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        qFatal("The test server could not listen on 127.0.0.1");
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

quint16 TestHttpServer::port() const { return m_server->serverPort(); }

QString TestHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
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
    m_lastRequests.insert(path, request.left(request.indexOf("\r\n\r\n")));
    emit requested(path);

    const auto found = m_pages.constFind(path);
    const Response response = found != m_pages.constEnd()
                                  ? *found
                                  : Response{404, "text/html", "<html><body>Not found</body></html>", {}, false};
    if (response.held)
        return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) +
                      (response.status == 200 ? " OK" : response.status == 302 ? " Found" : " Not Found") +
                      "\r\nContent-Type: " + response.contentType +
                      "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                      "\r\nCache-Control: no-store\r\nConnection: close\r\n";
    if (!response.location.isEmpty())
        head += "Location: " + response.location + "\r\n";
    socket->write(head + "\r\n" + response.body);
    socket->disconnectFromHost();
}
