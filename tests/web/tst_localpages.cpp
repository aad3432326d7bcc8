#include "browserfixture.h"
#include "browsing/documentwindow.h"
#include "testmain.h"

#include <QImage>
#include <QWebEnginePage>
#include <QWebEngineView>

// A page opened from the disk shows its own pictures but reads no other file of the user's, in
// every kind of view of the program; the program's own documents still open.
class tst_LocalPages : public BrowserTest
{
    Q_OBJECT
    QTemporaryDir disk;

    QWebEnginePage *open(const QString &kind, const QString &file)
    {
        if (kind == "tab") {
            active()->Navigate2(QUrl::fromLocalFile(file).toString());
            return active()->engine()->page();
        }
        return DocumentWindow::showDocument(file, &form())->view()->page();
    }
private slots:
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    // Each page shows its own title once the engine has read it; the saved page's tells what it read.
    void pagesOfTheDisk_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        const QString saved = "{\"fetch\":\"refused\",\"xhr\":\"refused\",\"frame\":\"not read\",\"picture\":40}";
        QTest::newRow("saved page in a tab") << "tab" << "page.html" << saved;
        QTest::newRow("saved page in the help window") << "document window" << "page.html" << saved;
        QTest::newRow("manual") << "tab" << "TamzoManualEng.html" << "TamzoTravel user manual";
        QTest::newRow("help in a tab") << "tab" << "TamzoGOTabEng.pdf" << "TamzoTravel \u2013 Link tables";
        QTest::newRow("help in its window") << "document window" << "TamzoGOTabIta.pdf"
                                            << "TamzoTravel \u2013 Tabelle dei collegamenti";
    }
    void pagesOfTheDisk()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(QString, title);
        QVERIFY(QDir(disk.path()).mkpath("page_files"));
        QImage(40, 30, QImage::Format_RGB32).save(disk.filePath("page_files/view.png"));
        QFile secret(disk.filePath("secrets.txt")), page(disk.filePath("page.html"));
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("the user's secret") > 0);
        secret.close();
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><img src='page_files/view.png'><iframe src='secrets.txt'></iframe><script>var read = {};"
                   "function done() { if (Object.keys(read).length == 4)"
                   "  document.title = JSON.stringify(read, ['fetch', 'xhr', 'frame', 'picture']); }"
                   "fetch('secrets.txt').then(r => r.text()).then(t => read.fetch = t, () => read.fetch = 'refused').then(done);"
                   "var x = new XMLHttpRequest(); x.open('GET', 'secrets.txt'); x.send();"
                   "x.onload = () => { read.xhr = x.responseText; done(); }; x.onerror = () => { read.xhr = 'refused'; done(); };"
                   "onload = () => { try { read.frame = frames[0].document.body.textContent.includes('secret') ? 'read' : '';"
                   "} catch (e) {} read.frame = read.frame || 'not read'; read.picture = document.images[0].naturalWidth; done(); };"
                   "</script></body></html>");
        page.close();
        QFile::copy(QStringLiteral(TAMZO_SOURCE_DIR "/install/") + file, disk.filePath(file));
        QWebEnginePage *view = open(kind, disk.filePath(file));
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), title, webWaitMs);
    }
};

TAMZO_TEST_MAIN(tst_LocalPages)
#include "tst_localpages.moc"
