#include "browsing/addressrules.h"
#include "testmain.h"

#include <QDir>
#include <QTest>
#include <QUrl>

class tst_AddressRules : public QObject
{
    Q_OBJECT
private slots:
    void completion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened");
        QTest::newRow("bare host") << "alpha.beta" << "http://alpha.beta";
        QTest::newRow("upper-case scheme kept") << "HTTP://Alpha.beta" << "HTTP://Alpha.beta";
        QTest::newRow("ftp kept") << "ftp://alpha.beta/file" << "ftp://alpha.beta/file";
        QTest::newRow("https kept") << "https://x" << "https://x";
        QTest::newRow("nothing trimmed") << " alpha.beta" << "http:// alpha.beta";
        QTest::newRow("local file kept") << "file:///tmp/a.html" << "file:///tmp/a.html";
        QTest::newRow("local file in capitals kept") << "FILE:///tmp/A.html" << "FILE:///tmp/A.html";
        QTest::newRow("page source kept") << "view-source:http://x/" << "view-source:http://x/";
        QTest::newRow("other schemes completed") << "about:blank" << "http://about:blank";
        QTest::newRow("no www added") << "x" << "http://x";
        QTest::newRow("local path") << "/tmp/a.html" << "file:///tmp/a.html";
        QTest::newRow("path in the home folder") << "~/a.html" << QUrl::fromLocalFile(QDir::homePath() + "/a.html").toString();
        QTest::newRow("another user's home is no path") << "~other/a.html" << "http://~other/a.html";
    }
    void completion()
    {
        QFETCH(QString, typed);
        QTEST(AddressRules::completeAddress(typed), "opened");
    }

    // Words typed in the box are searched for with the language's query address; an address opens.
    void wordsAreSearchedForAndAddressesOpened_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("searched");
        QTest::newRow("two words") << "hello world" << "https://find.example/?q=hello%20world";
        QTest::newRow("one word") << "hello" << "https://find.example/?q=hello";
        QTest::newRow("words with a dot") << "wikipedia.org is great" << "https://find.example/?q=wikipedia.org%20is%20great";
        QTest::newRow("signs escaped") << " C++ & R&D " << "https://find.example/?q=C%2B%2B%20%26%20R%26D";
        QTest::newRow("accents") << QString::fromUtf8("über straße") << "https://find.example/?q=%C3%BCber%20stra%C3%9Fe";
        QTest::newRow("host with a dot") << "example.com" << "";
        QTest::newRow("localhost") << "LocalHost" << "";
        QTest::newRow("host with a port") << "localhost:8071" << "";
        QTest::newRow("address with a port") << "127.0.0.1:8071/x" << "";
        QTest::newRow("IPv6") << "[::1]:8080" << "";
        QTest::newRow("local file") << "/tmp/x.html" << "";
        QTest::newRow("home file") << "~/x.html" << "";
        QTest::newRow("scheme") << "about:blank" << "";
    }
    void wordsAreSearchedForAndAddressesOpened()
    {
        QFETCH(QString, typed);
        QFETCH(QString, searched);
        QCOMPARE(AddressRules::isSearchText(typed), !searched.isEmpty());
        if (!searched.isEmpty())
            QCOMPARE(AddressRules::searchAddress("https://find.example/?q=%s", typed), searched);
    }

    void tabCaption_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("caption");
        QTest::newRow("www host") << "http://www.alpha.beta/gamma/d.html" << "Alpha";
        QTest::newRow("host with dots") << "https://news.alpha.beta/x" << "News.alpha.beta";
        QTest::newRow("ftp") << "ftp://files.alpha.beta/" << "Ftp:";
        QTest::newRow("bare word") << "localhost" << "Localhost";
        QTest::newRow("upper-case scheme stays") << "HTTP://Alpha.beta" << "Http:";
        QTest::newRow("completed host") << "http://alpha.beta" << "Alpha.beta";
        QTest::newRow("upper-case WWW is not removed") << "http://WWW.Alpha.beta/" << "Www";
        QTest::newRow("www without a dot after") << "http://www.alpha" << "Alpha";
        QTest::newRow("port kept") << "http://127.0.0.1:8080/x" << "127.0.0.1:8080";
        QTest::newRow("empty") << "" << "";
    }
    void tabCaption()
    {
        QFETCH(QString, address);
        AddressRules::TabCaptionFromAddress(address);
        QTEST(address, "caption");
    }
};

TAMZO_TEST_MAIN(tst_AddressRules)
#include "tst_addressrules.moc"
