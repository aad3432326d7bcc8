#include "app/commandline.h"
#include "browserfixture.h"
#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "pageclick.h"
#include "testmain.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>

// Files the engine does not show: saved where the user says when the user asked, refused otherwise.
class tst_Downloads : public BrowserTest
{
    Q_OBJECT
private:
    QByteArray fileBytes;
    std::unique_ptr<QTemporaryDir> saveFolder;

    void open(const QString &path)
    {
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        form().Text1->setEditText(server.url(path));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(waitForLoaded(complete, server.url(path)));
    }
    QString status() const { return browser->form->statusBar->text(); }

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 300000; ++i)
            fileBytes.append(char(qint64(i) * 7919 % 251));
        server.setPage("/report.bin", fileBytes, "application/octet-stream");
        server.setPage("/pushed.bin", fileBytes, "application/octet-stream");
        server.setCutShort("/cut.bin", fileBytes, "application/octet-stream");
        server.setPage("/files", "<html><head><title>Files</title></head><body style='margin:0'>"
                                 "<a id='file' href='/report.bin' style='position:fixed;left:0;top:0;"
                                 "width:100%;height:200px;display:block'>report</a></body></html>");
        server.setPage("/pushing", "<html><head><title>Pushing</title></head><body><script>"
                                   "location.href = '/pushed.bin';</script></body></html>");
    }

    void init()
    {
        saveFolder = std::make_unique<QTemporaryDir>();
        browser = std::make_unique<BrowserFixture>(server);
        QVERIFY(browser->start(server));
    }
    void cleanup()
    {
        browser.reset();
        saveFolder.reset();
    }

    void aClickedFileIsSavedWhereTheUserSays()
    {
        open("/files");
        const QString target = saveFolder->filePath("chosen name.bin");
        browser->dialogs.saveAnswer = target;
        QVERIFY(clickPage(active(), {100, 50}, "file"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->dialogs.suggestedNames, QStringList{"report.bin"}, webWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(status().contains("Saved:"), webWaitMs);
        QVERIFY(status().contains(QDir::toNativeSeparators(target)));
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), fileBytes);
        QCOMPARE(form().progressBar->value(), 100);
        // The page stays as it was.
        QCOMPARE(active()->LocationURL(), server.url("/files"));
    }

    void aCancelledDownloadSavesNothing()
    {
        open("/files");
        browser->dialogs.saveAnswer.clear();
        QVERIFY(clickPage(active(), {100, 50}, "file"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->dialogs.suggestedNames.size(), 1, webWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Files"), webWaitMs);
        QTest::qWait(200);
        QVERIFY(QDir(saveFolder->path()).isEmpty());
        QVERIFY(!QFile::exists(QDir::home().filePath("Downloads/report.bin")));
    }

    void aTypedDownloadIsTheUsers_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder"); // empty: a folder the user can write
        QTest::addColumn<QString>("outcome");
        QTest::newRow("saved") << "/report.bin" << "" << "Saved:";
        QTest::newRow("folder that cannot be written") << "/report.bin" << "/proc" << "The download failed:";
        QTest::newRow("connection lost halfway") << "/cut.bin" << "" << "The download failed:";
    }
    void aTypedDownloadIsTheUsers()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, outcome);
        const bool saved = outcome == "Saved:";
        const QString target = (folder.isEmpty() ? saveFolder->path() : folder) + "/typed.bin";
        browser->dialogs.saveAnswer = target;
        form().Text1->setEditText(server.url(path));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QTRY_VERIFY2_WITH_TIMEOUT(status().startsWith(outcome), qPrintable(status() + " " + server.requests().join(",")), webWaitMs);
        QVERIFY(status().contains(target));
        QCOMPARE(form().progressBar->value(), 100);
        QCOMPARE(QFile::exists(target), saved);
        QCOMPARE(QDir(saveFolder->path()).entryList(QDir::Files | QDir::Hidden).size(), saved ? 1 : 0);
    }

    void aFileAlreadyThereIsReplacedOnlyWhenTheUserSays_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes replaces it") << true;
        QTest::newRow("no keeps it") << false;
    }
    void aFileAlreadyThereIsReplacedOnlyWhenTheUserSays()
    {
        QFETCH(bool, yes);
        open("/files");
        const QString target = saveFolder->filePath("report.bin");
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("the earlier report") > 0);
        earlier.close();
        browser->dialogs.saveAnswer = target;
        browser->dialogs.questionAnswers = {yes};
        QVERIFY(clickPage(active(), {100, 50}, "file"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->dialogs.questions.size(), 1, webWaitMs);
        QVERIFY(browser->dialogs.questions.first().endsWith("\n" + QDir::toNativeSeparators(target)));
        if (yes)
            QTRY_VERIFY_WITH_TIMEOUT(status().startsWith("Saved:"), webWaitMs);
        else
            QTest::qWait(500); // nothing may come
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), yes ? fileBytes : QByteArray("the earlier report"));
        QCOMPARE(QDir(saveFolder->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.bin"});
    }

    void aDownloadGivenOnTheCommandLineArrives()
    {
        browser.reset();
        browser = std::make_unique<BrowserFixture>(server);
        const QString target = saveFolder->filePath("given.bin");
        browser->dialogs.saveAnswer = target;
        const CommandLine given = CommandLine::parse({server.url("/report.bin")}, QDir::currentPath());
        QVERIFY(form().Form_Load(given.address()));
        form().show();
        QTRY_VERIFY2_WITH_TIMEOUT(status().startsWith("Saved:"), qPrintable(status()), webWaitMs);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), fileBytes);
    }

    void aDownloadTheUserDidNotStartIsRefused()
    {
        browser->dialogs.saveAnswer = saveFolder->filePath("never.bin");
        form().Text1->setEditText(server.url("/pushing"));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/pushed.bin"), 1, webWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(status().contains("A download you did not start was refused:"), webWaitMs);
        QVERIFY(status().contains("pushed.bin"));
        QVERIFY(browser->dialogs.suggestedNames.isEmpty());
        QVERIFY(QDir(saveFolder->path()).isEmpty());
    }
};

TAMZO_TEST_MAIN(tst_Downloads)
#include "tst_downloads.moc"
