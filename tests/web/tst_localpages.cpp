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
    static QString run(QWebEnginePage *page, const QString &script)
    {
        return readDocument<QVariant>([&](auto done) { page->runJavaScript(script, done); }).toString();
    }

private slots:
    void init()
    {
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup() { browser.reset(); }

    void savedPageShowsItsPicturesAndReadsNoOtherFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("tab") << "tab";
        QTest::newRow("document window") << "document window";
    }
    void savedPageShowsItsPicturesAndReadsNoOtherFile()
    {
        QFETCH(QString, kind);
        QVERIFY(QDir(disk.path()).mkpath("page_files"));
        QImage(40, 30, QImage::Format_RGB32).save(disk.filePath("page_files/view.png"));
        QFile secret(disk.filePath("secrets.txt")), page(disk.filePath("page.html"));
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("the user's secret") > 0);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><img src='page_files/view.png'><iframe src='secrets.txt'></iframe><script>"
                   "var read = {};"
                   "fetch('secrets.txt').then(r => r.text()).then(t => read.fetch = t, () => read.fetch = 'refused');"
                   "var x = new XMLHttpRequest(); x.open('GET', 'secrets.txt');"
                   "x.onload = () => read.xhr = x.responseText; x.onerror = () => read.xhr = 'refused'; x.send();"
                   "onload = () => { try { read.frame = frames[0].document.body.textContent || 'empty'; }"
                   "catch (e) { read.frame = 'refused'; } read.picture = document.images[0].naturalWidth; };"
                   "</script></body></html>");
        page.close();
        QWebEnginePage *view = open(kind, page.fileName());
        const QString reads = "typeof read === 'object' ? JSON.stringify(read) : ''";
        QVERIFY(waitUntil([&] { return run(view, reads).count(':') == 4; }));
        const QString read = run(view, reads);
        const QString refused = "{\"fetch\":\"refused\",\"xhr\":\"refused\",\"frame\":";
        QVERIFY2(read.startsWith(refused) && !read.contains("secret") && read.endsWith("\"picture\":40}"), qPrintable(read));
    }

    // Each shows its own title once the engine has read the file.
    void programsOwnDocumentsOpen_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("manual") << "tab" << "TamzoManualEng.html" << "TamzoTravel user manual";
        QTest::newRow("help in a tab") << "tab" << "TamzoGOTabEng.pdf" << "TamzoTravel \u2013 Link tables";
        QTest::newRow("help in its window") << "document window" << "TamzoGOTabIta.pdf"
                                            << "TamzoTravel \u2013 Tabelle dei collegamenti";
    }
    void programsOwnDocumentsOpen()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(QString, title);
        QVERIFY(QFile::copy(QStringLiteral(TAMZO_SOURCE_DIR "/install/") + file, disk.filePath(file)));
        QWebEnginePage *view = open(kind, disk.filePath(file));
        QTRY_COMPARE_WITH_TIMEOUT(view->title(), title, webWaitMs);
    }
};

TAMZO_TEST_MAIN(tst_LocalPages)
#include "tst_localpages.moc"
