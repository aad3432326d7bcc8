#include "core/networkreach.h"
#include "testmain.h"

#include <QTest>

// Which addresses a public page may lead to. Each local range has rows at both of its ends and
// just outside them; outside a range lies a public address or another local range.
class tst_NetworkReach : public QObject
{
    Q_OBJECT
    const QUrl publicPage{"https://news.example/today"}, localPage{"http://192.168.1.1/setup"};

    static void rows(char kind, std::initializer_list<const char *> addresses)
    {
        for (const char *address : addresses)
            QTest::newRow(address) << QString::fromUtf8(address) << kind;
    }

private slots:
    void addresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<char>("kind"); // L: local, P: public
        rows('L', {"0.0.0.0", "0.255.255.255", "10.0.0.0", "10.255.255.255", "100.64.0.0", "100.127.255.255", "127.0.0.0",
                   "127.255.255.255", "169.254.0.0", "169.254.255.255", "172.16.0.0", "172.31.255.255", "192.0.0.0",
                   "192.0.0.255", "192.0.2.0", "192.0.2.255", "192.168.0.0", "192.168.255.255", "198.18.0.0",
                   "198.19.255.255", "198.51.100.0", "198.51.100.255", "203.0.113.0", "203.0.113.255", "224.0.0.0",
                   "239.255.255.255", "240.0.0.0", "255.255.255.255"});
        rows('P', {"1.0.0.0", "9.255.255.255", "11.0.0.0", "100.63.255.255", "100.128.0.0", "126.255.255.255", "128.0.0.0",
                   "169.253.255.255", "169.255.0.0", "172.15.255.255", "172.32.0.0", "191.255.255.255", "192.0.1.0",
                   "192.0.1.255", "192.0.3.0", "192.167.255.255", "192.169.0.0", "198.17.255.255", "198.20.0.0",
                   "198.51.99.255", "198.51.101.0", "203.0.112.255", "203.0.114.0", "223.255.255.255"});
        // IPv6: public unicast is 2000::/3 alone, less its protocol and documentation ranges.
        rows('L', {"::", "::1", "::127.0.0.1", "1fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "4000::", "fc00::",
                   "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "fe80::", "febf:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "fec0::",
                   "feff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "ff02::1", "100::", "2001::", "2001:1ff:ffff:ffff:ffff:ffff:ffff:ffff",
                   "2001:db8::", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff", "3fff::", "3fff:fff:ffff:ffff:ffff:ffff:ffff:ffff"});
        rows('P', {"2000::", "3fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "2000:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "2001:200::",
                   "2001:db7:ffff:ffff:ffff:ffff:ffff:ffff", "2001:db9::", "3ffe:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
                   "3fff:1000::", "2001:4860:4860::8888"});
        // Mapped, NAT64's well-known prefix and 6to4 are judged by the IPv4 address they carry.
        rows('L', {"::ffff:0.0.0.0", "::ffff:10.0.0.1", "::ffff:127.0.0.1", "::ffff:255.255.255.255", "::fffe:ffff:ffff",
                   "::1:0:0:0", "::fffe:808:808", "64:ff9b::", "64:ff9b::10.0.0.1", "64:ff9b::127.0.0.1", "64:ff9b::ffff:ffff",
                   "64:ff9a:ffff:ffff:ffff:ffff:ffff:ffff", "64:ff9b::1:0:0", "64:ff9b::1:808:808", "64:ff9b:1::", "64:ff9b:1::808:808",
                   "64:ff9b:1:ffff:ffff:ffff:ffff:ffff", "2002::", "2002:a00:1::", "2002:7f00:1::", "2002:c0a8:101::",
                   "2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff"});
        rows('P', {"::ffff:1.0.0.0", "::ffff:8.8.8.8", "::ffff:223.255.255.255", "64:ff9b::1.0.0.0", "64:ff9b::8.8.8.8",
                   "64:ff9b::223.255.255.255", "2002:100::", "2002:808:808::", "2002:dfff:ffff:ffff:ffff:ffff:ffff:ffff",
                   "2001:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "2003::"});
    }
    // A resolved address and the same address in a link are judged alike.
    void addresses()
    {
        QFETCH(QString, address);
        QFETCH(char, kind);
        QVERIFY(!QHostAddress(address).isNull());
        QCOMPARE(NetworkReach::isLocalAddress(QHostAddress(address)), kind == 'L');
        const QUrl link(QString(address.contains(':') ? "http://[%1]:81/" : "http://%1:81/").arg(address));
        QCOMPARE(NetworkReach::mayLead(publicPage, link), kind == 'P');
        QVERIFY(NetworkReach::mayLead(localPage, link) && !NetworkReach::needsResolving(publicPage, link));
    }

    // Every spelling the engine reads as an address is judged as that address; N: a name, to resolve.
    void spellings_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<char>("kind");
        rows('L', {"http://localhost/", "http://LOCALHOST/", "http://localhost./", "http://LocalHost.:81/", "http://localhost../",
                   "http://x.localhost/", "http://x.y.LOCALHOST./", "http://%6c%6fcalhost/", "http://ｌｏｃａｌｈｏｓｔ/",
                   "http://printer.local/", "http://nas.home.arpa/", "http://db.internal/", "http://127.1/", "http://0x7f000001/",
                   "http://2130706433/", "http://017700000001/", "http://0177.0.0.1/", "http://0x7f.1/", "http://127.0.0.1./",
                   "http://127.1./", "http://0x7f000001./", "http://127。0。0。1/", "http://3232235777/", "http://0300.0250.1.1/",
                   "http://0xc0.0xa8.0x1.0x1/", "http://0/", "http://0x/", "http://1.2.3.4.5/", "http://256.0.0.1/",
                   "http://4294967296/", "http://0x100000000/", "http://1.2.3.09/", "http://[::ffff:7f00:1]/",
                   "http://[fe80::1%25eth0]/", "http://u:p@127.0.0.1/", "ws://127.0.0.1:9/", "https://[::1]:8443/", "http://a..b/"});
        rows('P', {"http://8.8.8.8/", "http://0x08080808/", "http://134744072/", "http://8.8.2056/", "http://[2606:4700::1111]/"});
        rows('N', {"http://example.com/", "http://localhost.example.com/", "http://mylocalhost/", "http://local.example/",
                   "http://router/", "http://127.0.0.1.example/"});
    }
    void spellings()
    {
        QFETCH(QString, address);
        QFETCH(char, kind);
        QCOMPARE(NetworkReach::mayLead(publicPage, QUrl(address)), kind != 'L');
        QCOMPARE(NetworkReach::needsResolving(publicPage, QUrl(address)), kind == 'N');
        QVERIFY(NetworkReach::mayLead(localPage, QUrl(address)));
    }

    // Pages that may lead into the local network (L) and those that may not (P).
    void pages_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<char>("kind");
        rows('L', {"http://127.0.0.1:81/", "http://[::1]/", "http://10.1.2.3/", "http://printer.local/", "http://localhost./",
                   "data:text/html,links", "about:blank", "file:///tmp/page.html", "chrome-extension://pdf/index.html", ""});
        rows('P', {"https://news.example/", "http://8.8.8.8/", "http://router/", "http://[2001:4860::1]/",
                   "blob:https://news.example/0f1e", "wss://news.example/feed"});
    }
    void pages()
    {
        QFETCH(QString, address);
        QFETCH(char, kind);
        QCOMPARE(NetworkReach::mayLead(QUrl(address), QUrl("http://192.168.1.1/")), kind == 'L');
        QVERIFY(NetworkReach::mayLead(QUrl(address), QUrl("https://news.example/")));
    }
};

TAMZO_TEST_MAIN(tst_NetworkReach)
#include "tst_networkreach.moc"
