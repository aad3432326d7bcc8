#include "exportfixture.h"
#include "pageclick.h"
#include "testmain.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include "export/answerlimit.h"
#include "export/pagesave.h"
#include <QWebEngineProfile>
#include <QWebEnginePage>
#include <QWebEngineView>

// An office that answers as told: writes its outputs, each with bytes of its own (the filter it
// was asked for), or fails; held answers wait until released.
class ScriptedOffice : public OfficeEngine
{
public:
    Failure failure = Failure::None;
    bool hold = false;
    QStringList operations;
    // The page the last document was made of, as the office got it, and its pictures.
    QByteArray page;
    QList<QImage> pictures;

    void writeDocument(const QString &, bool, const QString &htmlPath, const QList<Output> &outputs, Done done) override
    {
        QFile html(htmlPath);
        page = html.open(QIODevice::ReadOnly) ? html.readAll() : QByteArray();
        pictures.clear();
        for (const QFileInfo &picture : QFileInfo(htmlPath).dir().entryInfoList({"picture*.png"}, QDir::Files, QDir::Name))
            pictures.append(QImage(picture.filePath()));
        answer("document", outputs, std::move(done));
    }
    void writeWorkbook(const QString &, const QString &output, Done done) override
    {
        answer("workbook", {{output, "workbook"}}, std::move(done));
    }
    void appendSlide(const QString &, const QString &, const QString &output, Done done) override
    {
        answer("slide", {{output, "slide"}}, std::move(done));
    }
    void release()
    {
        hold = false;
        if (m_held)
            std::exchange(m_held, nullptr)();
    }

private:
    void answer(const QString &operation, const QList<Output> &outputs, Done done)
    {
        operations.append(operation);
        m_held = [this, outputs, done = std::move(done)] {
            Reply reply;
            reply.ok = failure == Failure::None;
            reply.failure = failure;
            reply.slides = 1;
            for (const Output &output : outputs) {
                QFile file(output.path);
                if (reply.ok && file.open(QIODevice::WriteOnly))
                    file.write("written by the office as " + output.filter.toUtf8());
            }
            done(reply);
        };
        if (!hold)
            QTimer::singleShot(0, [this] { release(); });
    }
    std::function<void()> m_held;
};

// What a user sees of the exports and captures around the office engine.
class tst_ExportFlow : public ExportTest
{
    Q_OBJECT
    ScriptedOffice office;

    void startExportPage()
    {
        startOn("/page");
        form().exports().useOfficeEngine(office);
    }
    static QStringList exportKeys() { return {"SAVE:WORDH", "SAVE:WORDV", "SAVE:PDF", "SAVE:EXCEL", "SAVE:PPT"}; }
    static QString extensionOf(const QString &key)
    {
        return key == "SAVE:PDF" ? ".pdf" : key == "SAVE:EXCEL" ? ".xls" : key == "SAVE:PPT" ? ".ppt" : ".doc";
    }
    QStringList filesOut() const { return QDir(out->path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        ExportPage::serve(server, "/page");
        server.setPage("/empty", "<html><head><title></title></head><body></body></html>");
        server.setPage("/other", "<html><head><title>Other</title></head><body><p>Second page</p></body></html>");
        server.setPage("/late.png", ExportPage::picture(Qt::green), "image/png");
        server.setHeld("/never.png");
        server.setPage("/pictures", "<html><head><title>Pictures</title></head><body><p>Two pictures</p>"
                                    "<img src=\"/late.png\"><img src=\"/never.png\" alt=\"not come\"></body></html>");
        // Every way markup names something to fetch, a picture the page shows and an element of the page's own.
        server.setPage("/planted", "<html><head><base href=\"/planted-base/\"><link rel=\"stylesheet\" href=\"/planted-link.css\">"
            "<style>@import '/planted-import.css';</style><meta http-equiv=\"refresh\" content=\"600; url=/planted-refresh\">"
            "</head><body background=\"/planted-body.png\"><p style=\"color: rgb(200, 0, 0); background: url(/planted-url.png)\">"
            "Styled text</p><div style=\"background-image: image-set('/planted-set.png' 1x)\">set</div>"
            "<p style=\"background: u\\72 l(/planted-escaped.png)\">escaped</p>"
            "<img src=\"/late.png\" srcset=\"/planted-srcset.png 2x\" longdesc=\"/planted-longdesc\">"
            "<video poster=\"/planted-poster.png\"></video><object data=\"/planted-object\"></object><embed src=\"/planted-embed\">"
            "<form action=\"/planted-action\"><input type=\"image\" src=\"/planted-input.png\" alt=\"go\"></form>"
            "<svg><image href=\"/planted-svg.png\"/><use href=\"/planted-use.svg#a\"/><filter><feImage href=\"/planted-fe.png\"/>"
            "</filter></svg><table background=\"/planted-table.png\"><tr><td background=\"/planted-cell.png\">cell text</td></tr>"
            "</table><a href=\"file:///planted-file\">local</a> <a href=\"http://example.org/web\">web</a>"
            "<q cite=\"/planted-cite\">quoted</q><x-built>made by the page</x-built><script>"
            "customElements.define('x-built', class extends HTMLElement { constructor() { super();"
            "document.documentElement.dataset.built = +(document.documentElement.dataset.built || 0) + 1; } });"
            "</script></body></html>");
        server.setPage("/untitled", "<html><body><p>A page without title</p></body></html>");
        server.setPage("/open.png", ExportPage::picture(Qt::yellow), "image/png");
        server.setPage("/picture", "<html><head><title>Picture</title></head><body><img src=\"/open.png\"></body></html>");
        server.setPage("/search", "<html><head><title>Search</title></head><body>"
                                  "<input id=\"field\" autofocus style=\"position:absolute;left:10px;top:10px;width:300px\">"
                                  "<p style=\"margin-top:60px\">Ferries of the gulf</p><p>Timetables for every pier</p>"
                                  "</body></html>");
    }
    void init()
    {
        office.failure = OfficeEngine::Failure::None;
        office.hold = false;
        office.operations.clear();
    }
    void cleanup() { browser.reset(); }

    void cancelledDialogWritesNothingAndSaysNothing_data()
    {
        QTest::addColumn<QString>("key");
        const QStringList keys = exportKeys() << "SAVE:HTML";
        for (const QString &key : keys)
            QTest::newRow(qPrintable(key)) << key;
    }
    void cancelledDialogWritesNothingAndSaysNothing()
    {
        QFETCH(QString, key);
        startExportPage();
        dialogs().saveAnswer.clear();
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().suggestedNames.size(), 1);
        QCOMPARE(dialogs().messages, QStringList());
        QCOMPARE(office.operations, QStringList());
        QCOMPARE(filesOut(), QStringList());
        QCOMPARE(form().windowOpacity(), 1.0);
        QCOMPARE(state().layoutFrozen, qint16(0));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void failedExportLeavesTheEarlierFileWhole_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("overFolder");
        for (const QString &key : exportKeys()) {
            QTest::newRow(qPrintable(key)) << key << false;
            // The office writes its file, but the chosen name is a folder: the last rename fails.
            QTest::newRow(qPrintable(key + " over a folder")) << key << true;
        }
    }
    void failedExportLeavesTheEarlierFileWhole()
    {
        QFETCH(QString, key);
        QFETCH(bool, overFolder);
        startExportPage();
        const QString path = out->filePath("earlier" + extensionOf(key));
        QFile earlier(path);
        if (overFolder) {
            QVERIFY(QDir().mkpath(path));
        } else {
            office.failure = OfficeEngine::Failure::Write;
            QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier content") > 0);
            earlier.close();
        }
        dialogs().saveAnswer = path;
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().messages.size(), 1);
        const QString failure = "This file could not be written:\n" + path + ": ";
        QVERIFY2(dialogs().messages.first().startsWith(failure), qPrintable(dialogs().messages.first()));
        QCOMPARE(dialogs().icons.last(), UserDialogs::Icon::Critical);
        if (overFolder) {
            QVERIFY(QFileInfo(path).isDir());
            QCOMPARE(filesOut(), QStringList());
            return;
        }
        QCOMPARE(dialogs().messages.first(), failure + "the office could not write it");
        QCOMPARE(filesOut(), QStringList{QFileInfo(path).fileName()});
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier content"));
    }

    void successfulExportReplacesTheEarlierFile()
    {
        startExportPage();
        const QString path = out->filePath("earlier.xls");
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier content") > 0);
        earlier.close();
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:EXCEL"));
        QCOMPARE(dialogs().messages, QStringList{saved(path)});
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("written by the office as workbook"));
        QCOMPARE(filesOut(), QStringList{"earlier.xls"});
    }

    void nameTypedWithoutExtensionGetsOne()
    {
        startExportPage();
        dialogs().saveAnswer = out->filePath("plain");
        QVERIFY(exportWith("SAVE:PDF"));
        QCOMPARE(dialogs().messages,
                 QStringList{saved(out->filePath("plain.pdf")) + "\nIts Word copy: " + out->filePath("plain.doc")});
        QCOMPARE(filesOut(), (QStringList{"plain.doc", "plain.pdf"}));
    }

    void missingOfficeIsExplained()
    {
        startOn("/page");
        LibreOfficeEngine missing;
        missing.setPython(out->filePath("no-python-here"));
        missing.setOwnFolder(out->filePath("Office"));
        form().exports().useOfficeEngine(missing);
        dialogs().saveAnswer = out->filePath("page.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY2(dialogs().messages.first().contains("python3-uno") && dialogs().messages.first().contains("no-python-here"),
                 qPrintable(dialogs().messages.first()));
        QCOMPARE(dialogs().icons.first(), UserDialogs::Icon::Critical);
        QCOMPARE(filesOut(), QStringList());
    }

    void pageWithNothingToCopyEndsBeforeTheDialog_data()
    {
        QTest::addColumn<QString>("key");
        for (const char *key : {"SAVE:WORDH", "SAVE:PDF", "SAVE:EXCEL"})
            QTest::newRow(key) << QString(key);
    }
    void pageWithNothingToCopyEndsBeforeTheDialog()
    {
        QFETCH(QString, key);
        startExportPage();
        QVERIFY(navigateAndWait(active(), server.url("/empty")));
        dialogs().saveAnswer = out->filePath("empty.doc");
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().messages, QStringList{"English 120"});
        QCOMPARE(dialogs().suggestedNames, QStringList());
        QCOMPARE(filesOut(), QStringList());
    }

    void portraitDocumentsWaitForTheTemplates_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("vertical") << "SAVE:WORDV";
        QTest::newRow("pdf") << "SAVE:PDF";
    }
    void portraitDocumentsWaitForTheTemplates()
    {
        QFETCH(QString, key);
        startExportPage();
        state().templatePathH.clear();
        dialogs().saveAnswer = out->filePath("early.doc");
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().messages, QStringList{"The Word templates are not ready yet; try again in a moment."});
        QCOMPARE(dialogs().suggestedNames, QStringList());
        QCOMPARE(filesOut(), QStringList());
    }

    void oneExportAtATime()
    {
        startExportPage();
        office.hold = true;
        dialogs().saveAnswer = out->filePath("first.doc");
        command("SAVE:WORDH");
        QTRY_COMPARE_WITH_TIMEOUT(office.operations.size(), 1, 20000);
        QCOMPARE(form().statusBar->text(), QString("Writing first.doc"));
        QCOMPARE(form().windowOpacity(), state().exportAlpha / 255.0);
        QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor);
        command("SAVE:EXCEL");
        QCOMPARE(dialogs().messages, QStringList{"An export is running; wait until it has ended."});
        office.release();
        QTRY_VERIFY(!form().exports().running());
        QCOMPARE(dialogs().messages.last(), saved(out->filePath("first.doc")));
        QCOMPARE(office.operations, QStringList{"document"});
        QCOMPARE(form().statusBar->text(), QString());
        QCOMPARE(form().windowOpacity(), 1.0);
        QVERIFY(!QApplication::overrideCursor());
    }

    void dialogSuggestsTheFolderOfTheLastExport()
    {
        startExportPage();
        dialogs().saveAnswer = out->filePath("kept.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QVERIFY(exportWith("SAVE:EXCEL"));
        QCOMPARE(dialogs().suggestedNames,
                 (QStringList{"Exportsample2026.doc", QDir(out->path()).filePath("Exportsample2026.xls")}));
    }

    void capturesAreNumberedFromTheFirstFreeName_data()
    {
        QTest::addColumn<QStringList>("earlier");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("empty folder") << QStringList() << QStringList{"Tamzo000.bmp", "Tamzo001.bmp"};
        QTest::newRow("earlier run") << QStringList{"Tamzo000.bmp"} << QStringList{"Tamzo001.bmp", "Tamzo002.bmp"};
        QTest::newRow("gap") << QStringList{"Tamzo000.bmp", "Tamzo002.bmp"}
                             << QStringList{"Tamzo001.bmp", "Tamzo003.bmp"};
    }
    void capturesAreNumberedFromTheFirstFreeName()
    {
        QFETCH(QStringList, earlier);
        QFETCH(QStringList, written);
        startExportPage();
        for (const QString &name : earlier)
            browser->folder.writeBytes("Images/" + name, "earlier capture");
        for (const QString &name : written) {
            QVERIFY(exportWith("EDIT:PICTURE", 10000));
            const QString path = browser->folder.path("Images/" + name);
            QCOMPARE(dialogs().messages.last(), "English 192: " + path);
            const QImage picture(path);
            QCOMPARE(picture.size(), form().screen()->size() * form().screen()->devicePixelRatio());
            QVERIFY(state().barsShown);
            QVERIFY(form().picStat->isVisible());
        }
        for (const QString &name : earlier)
            QCOMPARE(browser->folder.readBytes("Images/" + name), QByteArray("earlier capture"));
    }

    void markupIsShownAsTextAndReplacedEachTime()
    {
        startExportPage();
        browser->folder.writeBytes("doc.txt", "an earlier page");
        command("EDIT:VIEW");
        const QString path = browser->folder.path("Doc.Txt");
        QTRY_COMPARE_WITH_TIMEOUT(browser->shell.targets, QStringList{path}, 10000);
        QVERIFY(!browser->folder.exists("doc.txt"));
        QVERIFY(browser->folder.readBytes("Doc.Txt").contains(ExportPage::heading));

        QVERIFY(navigateAndWait(active(), server.url("/other")));
        command("EDIT:VIEW");
        QTRY_COMPARE_WITH_TIMEOUT(browser->shell.targets.size(), 2, 10000);
        const QByteArray markup = browser->folder.readBytes("Doc.Txt");
        QVERIFY(markup.contains("Second page") && !markup.contains(ExportPage::heading));
        form().GO_Exit();
        QVERIFY(!browser->folder.exists("Doc.Txt"));
    }

    void pageIsSavedAsAWebArchive()
    {
        startExportPage();
        const QString path = out->filePath("page.mhtml");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:HTML", 30000));
        QCOMPARE(dialogs().suggestedNames, QStringList{"Exportsample2026.mhtml"});
        QCOMPARE(dialogs().messages, QStringList{saved(path)});
        QFile archive(path);
        QVERIFY(archive.open(QIODevice::ReadOnly));
        const QByteArray saved = archive.readAll();
        QVERIFY(saved.contains("multipart/related"));
        QVERIFY(saved.contains("/harbour.png"));
    }

    void completePageReplacesItsFolderOnlyWhenTheUserSays_data()
    {
        QTest::addColumn<QString>("earlier"); // what the folder's name holds: a folder, or a link to one
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("pageNameTaken"); // a folder has the page's name: the save fails midway
        QTest::newRow("earlier folder replaced") << "folder" << true << false;
        QTest::newRow("earlier folder kept") << "folder" << false << false;
        QTest::newRow("link replaced, its folder whole") << "link" << true << false;
        QTest::newRow("failure midway") << "folder" << true << true;
    }
    void completePageReplacesItsFolderOnlyWhenTheUserSays()
    {
        QFETCH(QString, earlier);
        QFETCH(bool, yes);
        QFETCH(bool, pageNameTaken);
        startOn("/picture");
        const QString path = out->filePath("page.html");
        const QString folder = out->filePath("page_files");
        QTemporaryDir linked;
        const QString earlierFolder = earlier == "link" ? linked.path() : folder;
        QDir().mkpath(earlierFolder);
        QFile mark(earlierFolder + "/earlier.txt");
        QVERIFY(mark.open(QIODevice::WriteOnly) && mark.write("earlier page") > 0);
        mark.close();
        if (earlier == "link")
            QVERIFY(QFile::link(linked.path(), folder));
        if (pageNameTaken)
            QVERIFY(QDir().mkpath(path + "/occupied"));
        dialogs().saveAnswer = path;
        dialogs().questionAnswers = {yes};
        QVERIFY(exportWith("SAVE:HTML", 30000));

        QCOMPARE(dialogs().questions.size(), 1);
        QVERIFY(dialogs().questions.first().endsWith("\n" + folder));
        const bool replaced = yes && !pageNameTaken;
        QCOMPARE(QFile::exists(folder + "/earlier.txt"), !replaced);
        QVERIFY(QFile::exists(earlierFolder + "/earlier.txt") || earlierFolder == folder);
        QCOMPARE(QFileInfo(folder).isSymLink(), earlier == "link" && !replaced);
        QCOMPARE(QDir(out->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 yes || pageNameTaken ? QStringList({"page.html", "page_files"}) : QStringList{"page_files"});
        if (replaced) {
            QCOMPARE(dialogs().messages, QStringList{saved(path)});
            QVERIFY(!QDir(folder).entryList({"*.png"}, QDir::Files).isEmpty());
        } else if (pageNameTaken) {
            QVERIFY2(dialogs().messages.value(0).startsWith("This file could not be written:"),
                     qPrintable(dialogs().messages.value(0)));
        } else {
            QCOMPARE(dialogs().messages, QStringList());
        }
    }

    void pageCopyHoldsTheBodyWhateverHasTheFocus()
    {
        startExportPage();
        QVERIFY(navigateAndWait(active(), server.url("/search")));
        QVERIFY(clickPage(active(), {100, 20}, "field"));
        QTest::keyClicks(active()->engine()->focusProxy(), "typed query");
        const QString field = "(function (f) { return [document.activeElement.id, f.value, f.selectionStart, "
                              "f.selectionEnd].join('|'); })(document.getElementById('field'))";
        const auto fieldState = [&] {
            return readDocument<QVariant>([&](auto done) { active()->readDocument(field, done); }).toString();
        };
        QTRY_COMPARE(fieldState(), QString("field|typed query|11|11"));
        dialogs().saveAnswer = out->filePath("search.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages, QStringList{saved(out->filePath("search.doc"))});
        QVERIFY2(office.page.contains("Ferries of the gulf") && office.page.contains("Timetables for every pier")
                     && office.page.contains("typed query"),
                 office.page.constData());
        QCOMPARE(fieldState(), QString("field|typed query|11|11"));
    }

    void pageThatNeverAnswersEndsItsExport_data()
    {
        QTest::addColumn<QString>("key");
        for (const char *key : {"SAVE:WORDH", "SAVE:EXCEL", "EDIT:VIEW"})
            QTest::newRow(key) << QString(key);
    }
    void pageThatNeverAnswersEndsItsExport()
    {
        QFETCH(QString, key);
        startExportPage();
        // The page's script runs for good before the export asks the page anything.
        active()->engine()->page()->runJavaScript("for (;;) {}");
        command(key);
        QVERIFY(form().exports().running());
        for (AnswerLimit *limit : form().exports().findChildren<AnswerLimit *>())
            limit->timeLimitReached();
        QVERIFY(!form().exports().running());
        QCOMPARE(dialogs().messages, QStringList{"The page did not answer in time, so nothing was copied from it."});
        QCOMPARE(form().windowOpacity(), 1.0);
        // Another site's page gets a renderer of its own, and its export is written.
        QVERIFY(navigateAndWait(active(), QString("http://localhost:%1/other").arg(server.port())));
        dialogs().saveAnswer = out->filePath("after.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages.last(), saved(out->filePath("after.doc")));
    }

    void copyNamesNothingToFetchAndRunsNoCodeOfThePage()
    {
        startExportPage();
        QVERIFY(navigateAndWait(active(), server.url("/planted")));
        const QString built = "document.documentElement.dataset.built";
        const auto read = [&] { return readDocument<QVariant>([&](auto done) { active()->readDocument(built, done); }); };
        QCOMPARE(read().toString(), QString("1"));
        const qsizetype before = server.requests().size();
        dialogs().saveAnswer = out->filePath("planted.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages, QStringList{saved(out->filePath("planted.doc"))});
        const QStringList asked = server.requests().mid(before);
        QVERIFY2(asked.filter("picture").isEmpty() && asked.filter("planted").isEmpty(), qPrintable(asked.join(' ')));
        QCOMPARE(read().toString(), QString("1"));
        QVERIFY2(!office.page.contains("planted") && !office.page.contains("file:"), office.page.constData());
        for (const char *kept : {"color: rgb(200, 0, 0)", "Styled text", "<img src=\"picture0.png\"", "cell text",
                                 "<a href=\"http://example.org/web\"", "made by the page"})
            QVERIFY2(office.page.contains(kept), office.page.constData());
        QCOMPARE(office.pictures.size(), 1);
    }

    void pdfNamedLikeItsWordCopyKeepsBoth()
    {
        startExportPage();
        const QString path = out->filePath("x.doc");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:PDF"));
        const QString copy = out->filePath("x-Word.doc");
        QCOMPARE(dialogs().messages, QStringList{saved(path) + "\nIts Word copy: " + copy});
        QCOMPARE(filesOut(), (QStringList{"x-Word.doc", "x.doc"}));
        QFile pdf(path), word(copy);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && word.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll(), QByteArray("written by the office as writer_pdf_Export"));
        QCOMPARE(word.readAll(), QByteArray("written by the office as MS Word 97"));
    }

    void untitledPagesGetNamesOfTheirOwn()
    {
        startExportPage();
        QVERIFY(navigateAndWait(active(), server.url("/untitled")));
        dialogs().saveAnswer.clear();
        for (const char *key : {"SAVE:WORDH", "SAVE:PDF", "SAVE:EXCEL", "SAVE:PPT", "SAVE:HTML"})
            QVERIFY(exportWith(key));
        const QString today = state().todayDate;
        QCOMPARE(dialogs().suggestedNames, (QStringList{today + ".doc", today + ".pdf", "ExcelDocument.xls",
                                                         "PPTDocument.ppt", today + ".mhtml"}));
    }

    void officeFailuresAreToldInPlainWords_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<OfficeEngine::Failure>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a presentation") << "SAVE:PPT" << OfficeEngine::Failure::NotPresentation
                                            << "This file is not a presentation, so no slide was added to it:\n<file>";
        QTest::newRow("template") << "SAVE:WORDV" << OfficeEngine::Failure::Template
                                  << "The Word template could not be read:\n<template>";
        QTest::newRow("stopped") << "SAVE:EXCEL" << OfficeEngine::Failure::Stopped
                                 << "The office stopped before the file was written; the next export starts it again.";
    }
    void officeFailuresAreToldInPlainWords()
    {
        QFETCH(QString, key);
        QFETCH(OfficeEngine::Failure, failure);
        QFETCH(QString, message);
        startExportPage();
        office.failure = failure;
        const QString path = out->filePath("target" + extensionOf(key));
        dialogs().saveAnswer = path;
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().messages, QStringList{message.replace("<file>", path).replace("<template>", state().templatePathH)});
        QCOMPARE(filesOut(), QStringList());
    }

    void markupViewWaitsForTheRunningExport()
    {
        startExportPage();
        office.hold = true;
        dialogs().saveAnswer = out->filePath("first.doc");
        command("SAVE:WORDH");
        QTRY_COMPARE_WITH_TIMEOUT(office.operations.size(), 1, 20000);
        command("EDIT:VIEW");
        QCOMPARE(dialogs().messages, QStringList{"An export is running; wait until it has ended."});
        QVERIFY(form().exports().running());
        command("SAVE:EXCEL");
        QCOMPARE(dialogs().messages.size(), 2);
        office.release();
        QTRY_VERIFY(!form().exports().running());
        QCOMPARE(dialogs().messages.last(), saved(out->filePath("first.doc")));
        QCOMPARE(office.operations, QStringList{"document"});
    }

    void webArchiveIntoAFolderThatCannotBeWrittenFails()
    {
        startExportPage();
        browser->folder.writeBytes("not-a-folder", "a file");
        const QString path = browser->folder.path("not-a-folder") + "/page.mhtml";
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:HTML", 30000));
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY2(dialogs().messages.first().startsWith("This file could not be written:\n" + path + ": "),
                 qPrintable(dialogs().messages.first()));
        QVERIFY(navigateAndWait(active(), server.url("/other")));
    }

    void webArchiveCutOffByItsTimeLimitLeavesTheOldFileWhole()
    {
        startExportPage();
        const QString path = out->filePath("page.mhtml");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("the earlier archive") > 0);
        old.close();
        dialogs().saveAnswer = path;
        QSignalSpy requested(active()->engine()->page()->profile(), &QWebEngineProfile::downloadRequested);
        command("SAVE:HTML");
        form().exports().findChild<PageSave *>()->timeLimitReached();
        QVERIFY(!form().exports().running());
        QCOMPARE(dialogs().messages.size(), 1);
        QVERIFY(dialogs().messages.first().contains("did not save the page"));
        QVERIFY(waitUntil([&] { return !requested.isEmpty(); }));
        // The save that was given up cannot end the next one.
        QVERIFY(exportWith("SAVE:HTML", 30000));
        QCOMPARE(dialogs().messages.last(), saved(path));
        QVERIFY(old.open(QIODevice::ReadOnly) && old.readAll().contains("multipart/related"));
        QCOMPARE(filesOut(), QStringList{"page.mhtml"});
    }

    void pictureThatNeverComesIsLeftOut()
    {
        startExportPage();
        active()->Navigate(server.url("/pictures"));
        QVERIFY(waitUntil([&] { return server.requestCount("/never.png") == 1; }));
        dialogs().saveAnswer = out->filePath("pictures.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages, QStringList{saved(out->filePath("pictures.doc"))});
        QVERIFY2(office.page.contains("Two pictures") && office.page.contains("picture0.png")
                     && !office.page.contains("picture1.png") && office.page.contains("not come"),
                 office.page.constData());
    }

    void pictureFromAnotherSiteComesAsThePageGotIt_data()
    {
        QTest::addColumn<bool>("stillServed");
        QTest::newRow("still served") << true;
        QTest::newRow("server gone since") << false;
    }
    void pictureFromAnotherSiteComesAsThePageGotIt()
    {
        QFETCH(bool, stillServed);
        // Another port is another origin: the page may show the picture but not read it.
        auto far = std::make_unique<TestHttpServer>();
        far->setPage("/far.png", ExportPage::picture(Qt::green), "image/png");
        far->requireCookie("/far.png", "pass=harbour");
        server.setPage("/far", "<html><head><title>Far</title><script>document.cookie = 'pass=harbour; path=/';</script>"
                               "</head><body><p>A picture from afar</p><script>document.write('<img src=\""
                                   + far->url("/far.png").toUtf8() + "\" alt=\"far &amp; away\">');</script></body></html>");
        startExportPage();
        QVERIFY(navigateAndWait(active(), server.url("/far")));
        QCOMPARE(far->requestCount("/far.png"), 1);
        if (!stillServed)
            far.reset();
        dialogs().saveAnswer = out->filePath("far.doc");
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages, QStringList{saved(out->filePath("far.doc"))});
        QCOMPARE(office.page.contains("<img src=\"picture0.png\""), stillServed);
        QCOMPARE(office.page.contains(">far &amp; away"), !stillServed);
        QCOMPARE(office.pictures.size(), stillServed ? 1 : 0);
        if (stillServed) {
            QCOMPARE(office.pictures[0].pixelColor(60, 40), QColor(Qt::green));
            QVERIFY(far->requestCount("/far.png") > 1);
            // Header names are the same in any case (Qt 6.8 sends them lower-cased).
            QVERIFY2(far->lastRequest("/far.png").toLower().contains(QByteArray("referer: " + server.url("/").toUtf8())),
                     far->lastRequest("/far.png").constData());
        }
    }
};

TAMZO_TEST_MAIN(tst_ExportFlow)
#include "tst_exportflow.moc"
