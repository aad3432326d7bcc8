#include "browserfixture.h"
#include "pageclick.h"
#include "testmain.h"
#include "travel/travelengine.h"

#include <QComboBox>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

// What a page may reach of the local network, on the real engine: the test server on 127.0.0.1
// stands for the local network, a second one, under the name public.test (which the engine maps
// to 127.0.0.1 for this test), for a public site: the engine is told that its port is a public
// address, as a real site's would be.
class tst_LocalNetwork : public BrowserTest
{
    Q_OBJECT
    TestHttpServer publicSite;
    std::unique_ptr<TestHttpServer> securePublicSite = TestHttpServer::withTls();

    QString on(const QString &host, const QString &path) const { return server.url(path).replace("127.0.0.1", host); }
    QString onPublicSite(const QString &path) const { return publicSite.url(path).replace("127.0.0.1", "public.test"); }
    TestHttpServer &pages(bool fromPublic) { return fromPublic ? publicSite : server; }
    // What the local server was asked for /seen; a preflight, which asks whether it may be asked,
    // carries nothing of the page and is not counted.
    qsizetype seen() const
    {
        qsizetype asked = 0;
        for (qsizetype i = 0; i < server.requests().size(); ++i)
            asked += server.requests()[i].startsWith("/seen") && server.methods()[i] != "OPTIONS";
        return asked;
    }
    // Shows a page of the site, whose after() asks its own server for /after.
    void show(TestHttpServer &site, const QString &address, const QString &path, const QByteArray &body)
    {
        site.setPage(path, "<html><head><title>page</title><script>function after() { fetch('/after'); }</script>"
                           "</head><body style='margin:0'>" + body + "</body></html>");
        QVERIFY(navigateAndWait(active(), address));
    }
    void show(bool fromPublic, const QString &path, const QByteArray &body)
    {
        show(pages(fromPublic), fromPublic ? onPublicSite(path) : on("127.0.0.1", path), path, body);
    }
    static void rows(const QStringList &markups) // %1: the local server
    {
        for (const QString &markup : markups)
            for (bool fromPublic : {true, false})
                QTest::newRow(qPrintable((fromPublic ? "public: " : "local: ") + markup)) << markup << "127.0.0.1" << fromPublic;
    }
    TravelEngine &travel() { return form().travel(); }
    // The program's resolver knows the test's names as the system's knows real sites (the engine
    // maps every .test name to this machine); silent.test is never answered.
    void resolveTestNames()
    {
        const QHash<QString, QStringList> names{{"public.test", {"93.184.216.34", "2606:2800:220:1::1"}},
                                                {"mixed.test", {"93.184.216.34", "10.0.0.1"}},
                                                {"mapped.test", {"::ffff:192.168.0.1"}}};
        travel().setNameLookup([names, system = travel().nameLookup(), this](const QString &name, TravelEngine::Answer answer) {
            QList<QHostAddress> addresses;
            for (const QString &address : names.value(name))
                addresses << QHostAddress(address);
            if (!name.endsWith(".test"))
                system(name, std::move(answer));
            else if (name != "silent.test")
                QTimer::singleShot(0, &travel(), [answer, addresses] { answer(addresses); });
        });
    }

public:
    // The engine reads its flags when the first profile is made, after this.
    tst_LocalNetwork()
    {
        const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --ignore-certificate-errors"
                                 + " --ip-address-space-overrides=127.0.0.1:" + QByteArray::number(publicSite.port())
                                 + "=public,127.0.0.1:" + QByteArray::number(securePublicSite->port()) + "=public";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }

private slots:
    void init()
    {
        server.setPage("/private", pageWithLinks({}));
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
    }
    void cleanup() { browser.reset(); }

    void aPublicPageAsksNothingOfTheLocalNetwork_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<bool>("fromPublic");
        const QString picture = "<img src='%1/seen' onload='after()' onerror='after()'>";
        rows({picture, "<script src='%1/seen' onload='after()' onerror='after()'></script>",
              "<iframe src='%1/seen'></iframe><script>onload = after;</script>", "<script>fetch('%1/seen').finally(after);</script>",
              "<script>new WebSocket('%1/seen'.replace('http', 'ws')).onclose = after;</script>",
              "<img src='/moved' data-to='%1' onload='after()' onerror='after()'>",
              "<iframe src='/moved' data-to='%1'></iframe><script>onload = after;</script>",
              "<iframe sandbox='allow-scripts' srcdoc=\"<img src='%1/seen' onerror='parent.postMessage(1, &quot;*&quot;)'>\">"
              "</iframe><script>onmessage = after;</script>"});
        for (const char *spelling : {"localhost", "LOCALHOST.", "0x7f000001", "127.1", "[::ffff:127.0.0.1]"})
            QTest::newRow(spelling) << picture << spelling << true;
    }
    void aPublicPageAsksNothingOfTheLocalNetwork()
    {
        QFETCH(QString, markup);
        QFETCH(QString, spelling);
        QFETCH(bool, fromPublic);
        pages(fromPublic).setRedirect("/moved", on(spelling, "/seen"));
        const qsizetype after = pages(fromPublic).requestCount("/after"), before = seen();
        show(fromPublic, "/page", markup.arg(on(spelling, "")).toUtf8());
        QVERIFY(waitUntil([&] { return pages(fromPublic).requestCount("/after") > after; }));
        QVERIFY2((seen() > before) == !fromPublic, qPrintable(server.requests().join(" ")));
    }

    // A secure page counts this machine's own addresses as secure too: each hop of a redirection
    // into the local network is first asked of the local address, which knows nothing of it.
    void aSecurePublicPageAsksNothingOfTheLocalNetwork_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::newRow("picture") << "<img src='%1/seen' onload='after()' onerror='after()'>";
        QTest::newRow("picture redirected") << "<img src='/moved' data-to='%1' onload='after()' onerror='after()'>";
        QTest::newRow("request redirected") << "<script data-to='%1'>fetch('/moved').finally(after);</script>";
        QTest::newRow("frame redirected") << "<iframe src='/moved' data-to='%1'></iframe><script>onload = after;</script>";
    }
    void aSecurePublicPageAsksNothingOfTheLocalNetwork()
    {
        QFETCH(QString, markup);
        securePublicSite->setRedirect("/moved", server.url("/seen"));
        const qsizetype after = securePublicSite->requestCount("/after"), before = seen();
        show(*securePublicSite, securePublicSite->url("/page").replace("127.0.0.1", "public.test"), "/page",
             markup.arg(server.url("")).toUtf8());
        QVERIFY(waitUntil([&] { return securePublicSite->requestCount("/after") > after; }));
        QVERIFY2(seen() == before, qPrintable(server.requests().join(" ")));
    }

    // The page stays, and the status line says what was refused.
    void aPublicPageLeadsNowhereLocal_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<bool>("fromPublic");
        const QString link = "<a id='link' href='%1' %2 style='display:block;height:300px'>go</a>";
        rows({"<script>location.href = '%1/seen';</script>", "<form action='%1/seen'></form><script>document.forms[0].submit();</script>",
              link.arg("%1/seen", ""), link.arg("/moved", "data-to='%1'"), link.arg("%1/seen", "target='_blank'")});
    }
    void aPublicPageLeadsNowhereLocal()
    {
        QFETCH(QString, markup);
        QFETCH(bool, fromPublic);
        pages(fromPublic).setRedirect("/moved", server.url("/seen"));
        const qsizetype before = seen();
        QSignalSpy refusals(active(), &WebView::LocalAddressRefused);
        show(fromPublic, "/page", markup.arg(server.url("")).toUtf8());
        if (markup.contains("id='link'"))
            QVERIFY(clickPage(active(), {20, 20}, "link"));
        QVERIFY(waitUntil([&] { return fromPublic ? !refusals.isEmpty() : seen() > before; }));
        if (!fromPublic)
            return;
        const QString told = form().statusBar->text();
        QVERIFY2(told.startsWith("A page on the internet may not open this address of the local network: "
                                 + server.url("/seen")), qPrintable(told));
        QCOMPARE(active()->LocationURL(), onPublicSite("/page"));
        QCOMPARE(seen(), before);
        // Whatever the page does next, the notice stays until the user opens another address.
        for (const QString title : {"next", "typed"})
            publicSite.setPage("/" + title, QString("<html><head><title>%1</title></head></html>").arg(title).toUtf8());
        active()->engine()->page()->runJavaScript("document.title = 'later'; location.href = '/next';");
        QVERIFY(waitUntil([&] { return active()->LocationName() == "next" && !active()->Busy(); }));
        QCOMPARE(form().statusBar->text(), told);
        form().Text1->setEditText(onPublicSite("/typed"));
        QTest::keyClick(form().Text1->lineEdit(), Qt::Key_Return);
        QVERIFY(waitUntil([&] { return form().statusBar->text() == "typed"; }));
    }

    // The first link is drawn first; a page whose links all lead into the local network has none.
    void travelFromAPublicPageStaysPublic_data()
    {
        QTest::addColumn<bool>("fromPublic");
        QTest::addColumn<QStringList>("hosts");
        QTest::addColumn<QString>("opened");
        for (const QString host : {"127.0.0.1", "localhost", "LOCALHOST.", "[::1]", "192.168.1.1", "0x7f000001"})
            QTest::newRow(qPrintable(host)) << true << QStringList{host} << QString();
        QTest::newRow("a name of this machine") << true << QStringList{QHostInfo::localHostName()} << QString();
        QTest::newRow("beside a public link") << true << QStringList{"127.0.0.1", "public.test"} << "public.test";
        QTest::newRow("a name of no address") << true << QStringList{"nowhere.test"} << QString();
        QTest::newRow("then a public name") << true << QStringList{"nowhere.test", "public.test"} << "public.test";
        QTest::newRow("a name also local") << true << QStringList{"mixed.test", "mapped.test"} << QString();
        QTest::newRow("a name never answered") << true << QStringList{"silent.test", "public.test"} << QString();
        QTest::newRow("a journey begun on a local address") << false << QStringList{"localhost"} << "localhost";
    }
    void travelFromAPublicPageStaysPublic()
    {
        QFETCH(bool, fromPublic);
        QFETCH(QStringList, hosts);
        QFETCH(QString, opened);
        QStringList links;
        for (const QString &host : hosts)
            links << on(host, "/private");
        show(fromPublic, "/travel", pageWithLinks(links));
        const int before = server.requestCount("/private");
        travel().setRandomSource([] { return 0.0; });
        resolveTestNames();
        QSignalSpy done(&travel(), &TravelEngine::stepDone);
        travel().GO_Travel_Links();
        QVERIFY(done.wait(webWaitMs));
        QCOMPARE(done.first().first().toString(), opened.isEmpty() ? QString() : on(opened, "/private"));
        QCOMPARE(browser->folder.readLines("TravelLog.txt").size(), opened.isEmpty() ? 0 : 1);
        QCOMPARE(server.requestCount("/private") - before, opened.isEmpty() ? 0 : 1);
    }
};

TAMZO_TEST_MAIN(tst_LocalNetwork)
#include "tst_localnetwork.moc"
