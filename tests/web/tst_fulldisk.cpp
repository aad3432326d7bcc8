#include "commands/commandbar.h"
#include "language/frmlang.h"
#include "exportfixture.h"
#include "linktables/frmtab.h"
#include "pageclick.h"
#include "smalldisk.h"
#include "testmain.h"
#include "travel/frmjourney.h"
#include "travel/travelengine.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

// Made before main: the namespace then holds every thread of the test and of the web engine.
static const QString noNamespace = SmallDisk::enterOwnMountNamespace();

// The application folder on a small disk of its own that fills up or turns read-only while the
// program runs: every save fails with a message naming its file, leaves the folder as it was and
// the program running, and succeeds once the disk is usable again.
class tst_FullDisk : public ExportTest
{
    Q_OBJECT
    std::unique_ptr<SmallDisk> disk;
    int pages = 0;

    enum Trouble { Full, ReadOnly };
    bool spoil(int trouble) { return trouble == Full ? disk->fill() : disk->setReadOnly(true); }
    void mend()
    {
        QVERIFY(disk->setReadOnly(false));
        disk->release();
    }

    // Every file of the application folder with its bytes and every folder (ending in '/'), the
    // web engine's own data aside.
    QMap<QString, QByteArray> folderContent() const
    {
        QMap<QString, QByteArray> content;
        QDirIterator entries(browser->folder.root(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString path = entries.next();
            if (path.startsWith(browser->folder.path("Profile/")))
                continue;
            if (entries.fileInfo().isDir())
                content.insert(path + '/', {});
            else
                content.insert(path, browser->folder.readBytes(QDir(browser->folder.root()).relativeFilePath(path)));
        }
        return content;
    }

    void verifyUnchanged(const QMap<QString, QByteArray> &before) const
    {
        const QMap<QString, QByteArray> after = folderContent();
        QCOMPARE(after.keys(), before.keys());
        for (const QString &name : after.keys())
            QVERIFY2(after[name] == before[name], qPrintable(name));
    }

    void start()
    {
        const QByteArray temporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(disk->root()));
        browser = std::make_unique<BrowserFixture>(server);
        qputenv("TMPDIR", temporary);
        // The engine's cache and cookies come and go by themselves; they would free space the test counts on.
        QVERIFY(disk->keepOff(browser->folder.path("Profile")));
        QVERIFY(browser->start(server));
        form().Timer4_Timer();
        visitNewPage();
    }

    // Types the address of a new page and opens it. Its long address takes most of a page of the
    // disk in every file that keeps it, so that the next one needs more room.
    void visitNewPage()
    {
        const QString path = "/page" + QString::number(++pages) + '/' + QString(3000, 'x');
        server.setPage(path, "<html><head><title>Page " + QByteArray::number(pages) + "</title></head><body><a href='" +
                                 path.toUtf8() + "'>again</a></body></html>");
        QSignalSpy complete(active(), &WebView::DocumentComplete);
        form().Text1->lineEdit()->selectAll();
        QTest::keyClicks(form().Text1->lineEdit(), server.url(path));
        QTest::keyClick(form().Text1, Qt::Key_Return);
        QVERIFY(waitForLoaded(complete, server.url(path)));
    }

    // The saves a user makes, each with something new to save.
    std::function<void()> saveOf(const QString &file)
    {
        if (file.endsWith(".Opt"))
            return [this] {
                visitNewPage();
                command("NAVIGATE:PICKHOME");
            };
        if (file.endsWith(".bm"))
            return [this] {
                visitNewPage();
                command("NAVIGATE:PICK");
            };
        if (file == "TravelLog.txt")
            return [this] {
                QSignalSpy done(&form().travel(), &TravelEngine::stepDone);
                form().travel().GO_Travel_Links();
                // A step is done once its page is shown.
                QVERIFY(done.wait(webWaitMs));
            };
        if (file.startsWith("Links/"))
            return [this] {
                visitNewPage();
                frmTab tables(state(), dialogs(), form().catalogue(), QString());
                tables.findChild<QAction *>("ADDURL")->trigger();
            };
        if (file.startsWith("Languages/"))
            return [this] {
                frmLang editor(state(), form().catalogue(), dialogs());
                editor.show();
                QTest::keyClicks(editor.Text1, "\"Caption " + QString::number(++pages) + '"');
                dialogs().textAnswers = {"Mine"};
                // Saved again, the language file exists: the user replaces it.
                dialogs().questionAnswers = {true};
                editor.cmdBar->action("SAVE5")->trigger();
            };
        if (file.startsWith("Journey.")) {
            // Two kept journeys, shown in turn, so that every export has a new picture to save.
            browser->folder.write("Journeys/Journey 2020-01-01 10-00-00.txt", {"10:00:00  " + server.url("/a")});
            browser->folder.write("Journeys/Journey 2020-01-02 10-00-00.txt",
                                  {"10:00:00  " + server.url("/a"), "10:00:30  " + server.url("/b")});
            return [this, file] {
                command("TRAVEL:JOURNEY");
                frmJourney *window = form().findChild<frmJourney *>();
                QVERIFY(window);
                const int shown = 1 + ++pages % 2;
                window->journeyList->setCurrentIndex(shown);
                emit window->journeyList->activated(shown);
                QTRY_VERIFY_WITH_TIMEOUT(!window->layingOut(), webWaitMs);
                dialogs().saveAnswer = browser->folder.path(file);
                QTest::mouseClick(file.endsWith(".svg") ? window->exportSvg : window->exportPng, Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(!window->exporting(), webWaitMs);
            };
        }
        if (file.startsWith("Images/"))
            return [this] { QVERIFY(exportWith("EDIT:PICTURE", 10000)); };
        return [this, file] {
            dialogs().saveAnswer = browser->folder.path(file);
            QVERIFY(exportWith("SAVE:HTML", 30000));
        };
    }

    static void addTroubles()
    {
        QTest::addColumn<int>("trouble");
        QTest::newRow("full disk") << int(Full);
        QTest::newRow("read-only disk") << int(ReadOnly);
    }

private slots:
    void initTestCase()
    {
        server.setPage("/file.bin", QByteArray(256 * 1024, 'd'), "application/octet-stream");
        server.setPage("/files", "<html><head><title>Files</title></head><body style='margin:0'>"
                                 "<a id='file' href='/file.bin' style='position:fixed;left:0;top:0;"
                                 "width:100%;height:200px;display:block'>file</a></body></html>");
    }
    void init()
    {
        disk = std::make_unique<SmallDisk>(16 << 20);
        if (!disk->isMounted())
            QSKIP(qPrintable("The disk cannot be filled here: " + disk->unavailableReason()));
    }
    void cleanup()
    {
        if (disk && disk->isMounted()) {
            mend();
            if (browser)
                browser->form.reset();
            disk->endKeepingOff();
        }
        browser.reset();
        disk.reset();
    }

    void eachSaveFailsWholeAndSucceedsLater_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("trouble");
        for (const char *file : {"Data/TamzoTravel.Opt", "Data/TamzoBook.bm", "TravelLog.txt", "Links/Links.000",
                                 "Languages/Lang_Mine.Txt", "Images/", "Saved.mhtml",
                                 "Journey.svg", "Journey.png"}) {
            QTest::addRow("%s on a full disk", file) << QString(file) << int(Full);
            QTest::addRow("%s on a read-only disk", file) << QString(file) << int(ReadOnly);
        }
    }
    void eachSaveFailsWholeAndSucceedsLater()
    {
        QFETCH(QString, file);
        QFETCH(int, trouble);
        start();
        if (QTest::currentTestFailed())
            return;
        const std::function<void()> save = saveOf(file);
        save();
        dialogs().messages.clear();
        const QMap<QString, QByteArray> before = folderContent();

        QVERIFY(spoil(trouble));
        save();
        save();
        // A capture takes the next free name in its folder.
        const QString path = browser->folder.path(file);
        // The travel log tells of its trouble once, not at every step.
        QCOMPARE(dialogs().messages.size(), file == "TravelLog.txt" ? 1 : 2);
        for (const QString &message : std::as_const(dialogs().messages))
            QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY(form().isVisible());
        mend();
        verifyUnchanged(before);
        if (QTest::currentTestFailed())
            return;

        save();
        const QMap<QString, QByteArray> saved = folderContent();
        QVERIFY(std::any_of(saved.keyBegin(), saved.keyEnd(), [&](const QString &name) {
            return name.startsWith(path) && saved[name] != before.value(name);
        }));
    }

    // The options, history and window settings are saved as the program ends.
    void savesAtTheEndFailWholeAndSucceedLater_data() { addTroubles(); }
    void savesAtTheEndFailWholeAndSucceedLater()
    {
        QFETCH(int, trouble);
        start();
        if (QTest::currentTestFailed())
            return;
        form().commitData();
        visitNewPage();
        command("FILE:XP");
        form().resize(form().size() - QSize(40, 30));
        const QMap<QString, QByteArray> before = folderContent();
        QVERIFY(spoil(trouble));
        form().close();
        QCOMPARE(dialogs().messages.size(), 1);
        const QStringList files{"Data/TamzoTravel.Opt", "Data/TamzoTravel.Hys", "Data/TamzoTravel.Ini"};
        for (const QString &file : files)
            QVERIFY2(dialogs().messages[0].contains(browser->folder.path(file)), qPrintable(dialogs().messages[0]));
        mend();
        verifyUnchanged(before);
        form().commitData();
        QCOMPARE(dialogs().messages.size(), 1);
        for (const QString &file : files)
            QVERIFY2(browser->folder.readBytes(file) != before.value(browser->folder.path(file)), qPrintable(file));
    }

    // A download the user asked for, over an earlier file of the same name.
    void downloadFailsAndLeavesTheEarlierFile_data() { addTroubles(); }
    void downloadFailsAndLeavesTheEarlierFile()
    {
        QFETCH(int, trouble);
        start();
        if (QTest::currentTestFailed())
            return;
        const QString target = browser->folder.path("Download.bin");
        browser->folder.writeBytes("Download.bin", "an earlier download");
        QVERIFY(navigateAndWait(active(), server.url("/files")));
        QVERIFY(spoil(trouble));
        dialogs().saveAnswer = target;
        dialogs().questionAnswers = {true, true}; // replace the earlier file, both times
        QVERIFY(clickPage(active(), {100, 50}, "file"));
        QTRY_VERIFY_WITH_TIMEOUT(form().statusBar->text().startsWith("The download failed: " + target), webWaitMs);
        QCOMPARE(form().progressBar->value(), 100);
        QTRY_COMPARE_WITH_TIMEOUT(QDir(browser->folder.root()).entryList(QDir::Files),
                                  (QStringList{"Download.bin", "TravelLog.txt"}), webWaitMs);
        QCOMPARE(browser->folder.readBytes("Download.bin"), QByteArray("an earlier download"));

        mend();
        QVERIFY(clickPage(active(), {100, 50}, "file"));
        QTRY_COMPARE_WITH_TIMEOUT(form().statusBar->text(), "Saved: " + target, webWaitMs);
        QCOMPARE(browser->folder.readBytes("Download.bin"), QByteArray(256 * 1024, 'd'));
    }
};

TAMZO_TEST_MAIN(tst_FullDisk)
#include "tst_fulldisk.moc"
