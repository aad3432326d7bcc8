#include "export/picturefetch.h"
#include "testhttpserver.h"
#include "testmain.h"
#include "webwait.h"

#include <QBuffer>
#include <QHostInfo>
#include <QImage>
#include <QNetworkCookieJar>
#include <QSslCertificate>
#include <QSslConfiguration>

// The pictures an export asks for again: where they may come from, and where the connection goes.
class tst_PictureFetch : public QObject
{
    Q_OBJECT
    TestHttpServer server, elsewhere;
    std::unique_ptr<TestHttpServer> https = TestHttpServer::withTls();

    QByteArray fetched(const QString &picture, const QString &page)
    {
        PictureFetch fetch;
        QByteArrayList pictures{"no answer"};
        fetch.run({QUrl(picture)}, QUrl(page), QNetworkCookieJar(), [&](const QByteArrayList &got) { pictures = got; });
        waitUntil([&] { return pictures.value(0) != "no answer"; });
        return pictures.value(0);
    }
    static QString on(const QString &host, const TestHttpServer &at) { return at.url("/p.png").replace("127.0.0.1", host); }

private slots:
    void initTestCase()
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::green);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        for (TestHttpServer *each : {&server, &elsewhere, https.get()})
            each->setPage("/p.png", png, "image/png");
        server.setRedirect("/moved.png", elsewhere.url("/p.png"));
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificates(QSslCertificate::fromPath(TAMZO_SOURCE_DIR "/tests/support/tls/localhost.pem"));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }

    // Every spelling of this machine's address, and a name the resolver gives its address.
    void aPublicPageGetsNoPictureOfTheLocalNetwork_data()
    {
        QTest::addColumn<QString>("host");
        const QStringList hosts = {"localhost.", "LOCALHOST", "127.1", "0x7f000001", "2130706433", "017700000001",
                                   "127.0.0.1.", "[::ffff:127.0.0.1]", QHostInfo::localHostName()};
        for (const QString &host : hosts)
            QTest::newRow(qPrintable(host)) << host;
    }
    void aPublicPageGetsNoPictureOfTheLocalNetwork()
    {
        QFETCH(QString, host);
        const QList<QHostAddress> resolved = QHostInfo::fromName(QHostInfo::localHostName()).addresses();
        QVERIFY2(!resolved.isEmpty() && resolved.first().isLoopback(), "this machine's name is one of the loopback");
        QCOMPARE(fetched(on(host, server), "https://news.example/today"), QByteArray());
        QCOMPARE(server.requestCount("/p.png"), 0);
    }

    // The connection goes to the address the program resolved; the server hears the name, and a
    // certificate must name it. A redirection is a picture that did not come.
    void aLocalPageGetsWhatIsAnsweredAtOnce_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("comes");
        QTest::newRow("by name") << on("localhost", server) << true;
        QTest::newRow("redirected") << server.url("/moved.png") << false;
        QTest::newRow("certificate of the name") << on("localhost", *https) << true;
        QTest::newRow("certificate not of the address") << https->url("/p.png") << false;
    }
    void aLocalPageGetsWhatIsAnsweredAtOnce()
    {
        QFETCH(QString, picture);
        QFETCH(bool, comes);
        QCOMPARE(QImage::fromData(fetched(picture, server.url("/page"))).size(), comes ? QSize(8, 8) : QSize(0, 0));
        QCOMPARE(elsewhere.requestCount("/p.png"), 0);
        const QByteArray asked = (picture.startsWith("https") ? *https : server).lastRequest("/p.png");
        // Header names are the same in any case (Qt 6.8 sends them lower-cased).
        QVERIFY2(!comes || asked.toLower().contains("\r\nhost: localhost:"), asked.constData());
    }
};

TAMZO_TEST_MAIN(tst_PictureFetch)
#include "tst_picturefetch.moc"
