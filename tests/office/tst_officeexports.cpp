#include "exportfixture.h"
#include "pageclick.h"
#include "testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>

// The exports through the real LibreOffice, each document read back by another LibreOffice.
class tst_OfficeExports : public ExportTest
{
    Q_OBJECT
    // The offices' own folders: the machine may have no private runtime folder.
    QTemporaryDir officeFolders;
    LibreOfficeEngine office;
    DocumentReader reader;

    LibreOfficeEngine &placed(LibreOfficeEngine &engine)
    {
        engine.setOwnFolder(officeFolders.filePath("Office"));
        return engine;
    }

    void startExportPage()
    {
        startOn("/page");
        form().exports().useOfficeEngine(placed(office));
    }

    static QString pdfText(const QString &path)
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {path, "-"});
        pdftotext.waitForFinished(30000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
    // A line of what pdfinfo tells of a PDF ("Page size", "Tagged").
    static QString pdfInfo(const QString &path, const QString &field)
    {
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {path});
        pdfinfo.waitForFinished(30000);
        for (const QString &line : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split('\n')) {
            if (line.startsWith(field + ':'))
                return line.section(':', 1).trimmed();
        }
        return {};
    }
    // What qpdf tells of a PDF: its bookmarks, and its document catalog (/Root of the trailer).
    static QByteArray qpdf(const QStringList &arguments)
    {
        QProcess qpdf;
        qpdf.start("qpdf", arguments);
        qpdf.waitForFinished(30000);
        return qpdf.readAllStandardOutput();
    }
    static QJsonArray pdfBookmarks(const QString &path)
    {
        return QJsonDocument::fromJson(qpdf({"--json=2", "--json-key=outlines", path})).object().value("outlines").toArray();
    }
    static QByteArray pdfCatalog(const QString &path)
    {
        const QByteArray trailer = qpdf({"--show-object=trailer", path});
        const QByteArray root = trailer.mid(trailer.indexOf("/Root ") + 6).split(' ').value(0);
        return root.isEmpty() ? QByteArray() : qpdf({QString::fromLatin1("--show-object=" + root), path});
    }
    static QStringList filesBeside(const QString &path)
    {
        return QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    // The number of a process that has ended.
    static qint64 endedProcess()
    {
        QProcess ended;
        ended.start("true");
        ended.waitForStarted();
        const qint64 id = ended.processId();
        ended.waitForFinished();
        return id;
    }
    QString exportSlide(const QString &path)
    {
        dialogs().saveAnswer = path;
        if (!exportWith("SAVE:PPT"))
            return "not ended";
        return dialogs().messages.last();
    }

private slots:
    void initTestCase() { ExportPage::serve(server, "/page"); }
    void cleanup() { browser.reset(); }

    void wordDocumentHoldsThePageInTheOrientationOfItsCommand_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("horizontal") << "SAVE:WORDH" << true;
        QTest::newRow("vertical") << "SAVE:WORDV" << false;
    }
    void wordDocumentHoldsThePageInTheOrientationOfItsCommand()
    {
        QFETCH(QString, key);
        QFETCH(bool, landscape);
        startExportPage();
        const QString path = out->filePath(key.section(':', 1) + ".doc");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().suggestedNames.last(), QString("Exportsample2026.doc"));
        QCOMPARE(dialogs().messages, QStringList{saved(path)});

        const QJsonObject document = reader.inspect(path);
        QVERIFY2(document.value("ok").toBool(), qPrintable(document.value("error").toString()));
        const QString text = document.value("text").toString();
        for (const char *expected : {ExportPage::heading, ExportPage::foreign, ExportPage::cells[2], ExportPage::cells[3]})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(text));
        QCOMPARE(document.value("landscape").toBool(), landscape);
        QCOMPARE(document.value("embedded").toInt(), 2);
        QCOMPARE(document.value("pictures").toInt(), 2);
        QCOMPARE(filesBeside(path), QStringList{QFileInfo(path).fileName()});
    }

    void templatesOwnContentComesBeforeThePage()
    {
        startExportPage();
        const QString letterhead = out->filePath("letterhead.html");
        QFile page(letterhead);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><p>Letterhead of the travel office</p></body></html>");
        page.close();
        const QString templatePath = out->filePath("letter.doc");
        OfficeEngine::Reply made;
        office.writeDocument({}, false, letterhead, {{templatePath, "MS Word 97"}},
                             [&](const OfficeEngine::Reply &reply) { made = reply; });
        QTRY_VERIFY_WITH_TIMEOUT(made.ok, 30000);
        state().templatePath = templatePath;

        const QString path = out->filePath("letter-page.doc");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:WORDH"));
        const QJsonObject document = reader.inspect(path);
        const QString text = document.value("text").toString();
        QVERIFY2(text.indexOf("Letterhead of the travel office") == 0 && text.indexOf(ExportPage::heading) > 0,
                 qPrintable(text));
        QCOMPARE(document.value("landscape").toBool(), false);
        QCOMPARE(reader.inspect(templatePath).value("text").toString().trimmed(), QString("Letterhead of the travel office"));
    }

    void firstMomentsGiveALandscapeDocumentWithoutTemplate()
    {
        startExportPage();
        state().templatePath.clear();
        state().templatePathH.clear();
        const QString path = out->filePath("early.doc");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages, QStringList{saved(path)});
        const QJsonObject document = reader.inspect(path);
        QVERIFY(document.value("landscape").toBool());
        QVERIFY(document.value("text").toString().contains(ExportPage::heading));
    }

    void pdfIsPortraitWithItsWordCopyBeside()
    {
        startExportPage();
        QDir(out->path()).mkpath("v1.2");
        const QString path = out->filePath("v1.2/page.pdf");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:PDF"));
        QCOMPARE(dialogs().suggestedNames.last(), QString("Exportsample2026.pdf"));
        QCOMPARE(dialogs().messages, QStringList{saved(path) + "\nIts Word copy: " + out->filePath("v1.2/page.doc")});

        const QString text = pdfText(path);
        QVERIFY2(text.contains(ExportPage::heading) && text.contains(QString::fromUtf8(ExportPage::foreign))
                     && text.contains(ExportPage::cells[3]),
                 qPrintable(text));
        QVERIFY2(pdfInfo(path, "Page size").startsWith("595"), qPrintable(pdfInfo(path, "Page size")));
        QCOMPARE(pdfInfo(path, "Tagged"), QString("yes"));
        QVERIFY2(pdfCatalog(path).contains("/StructTreeRoot"), pdfCatalog(path).constData());
        // The page's heading would be a bookmark of its own.
        QCOMPARE(pdfBookmarks(path), QJsonArray());
        const QJsonObject copy = reader.inspect(out->filePath("v1.2/page.doc"));
        QVERIFY(copy.value("text").toString().contains(ExportPage::heading));
        QCOMPARE(copy.value("landscape").toBool(), false);
        QCOMPARE(copy.value("embedded").toInt(), 2);
        QCOMPARE(QDir(out->filePath("v1.2")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"page.doc", "page.pdf"}));
    }

    void workbookCellsHoldTheTablesCells()
    {
        startExportPage();
        const QString path = out->filePath("book.xls");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an earlier workbook") > 0);
        old.close();
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:EXCEL"));
        QCOMPARE(dialogs().suggestedNames.last(), QString("Exportsample2026.xls"));
        QCOMPARE(dialogs().messages, QStringList{saved(path)});
        QStringList cells;
        for (const QJsonValue cell : reader.inspect(path).value("cells").toArray())
            cells.append(cell.toString());
        for (const char *expected : ExportPage::cells)
            QVERIFY2(cells.contains(expected), qPrintable(cells.join('|')));
        QVERIFY2(cells.join('|').contains(QString::fromUtf8(ExportPage::foreign)), qPrintable(cells.join('|')));
        QCOMPARE(filesBeside(path), QStringList{"book.xls"});
    }

    void formFieldsArriveAsThePageShowsThem_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("Word") << "SAVE:WORDH" << "fields.doc";
        QTest::newRow("PDF") << "SAVE:PDF" << "fields.pdf";
        QTest::newRow("Excel") << "SAVE:EXCEL" << "fields.xls";
    }
    void formFieldsArriveAsThePageShowsThem()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        startExportPage();
        QVERIFY(clickPage(active(), {450, 20}, "traveller"));
        QTest::keyClicks(active()->engine()->focusProxy(), "Anna Rossi");
        const QString typed = "document.getElementById('traveller').value";
        QTRY_COMPARE(readDocument<QVariant>([&](auto done) { active()->readDocument(typed, done); }).toString(),
                     QString("Anna Rossi"));
        const QString path = out->filePath(name);
        dialogs().saveAnswer = path;
        QVERIFY(exportWith(key));
        QCOMPARE(dialogs().messages.size(), 1);
        const QJsonObject document = key == "SAVE:PDF" ? QJsonObject() : reader.inspect(path);
        QString text = key == "SAVE:PDF" ? pdfText(path) : document.value("text").toString();
        for (const QJsonValue cell : document.value("cells").toArray())
            text += cell.toString() + '|';
        QVERIFY2(text.contains("Anna Rossi"), qPrintable(text));
        for (const char *shown : ExportPage::shownFields)
            QVERIFY2(text.contains(QString::fromUtf8(shown)), qPrintable(text));
        for (const char *unshown : ExportPage::unshownFields)
            QVERIFY2(!text.contains(QString::fromUtf8(unshown)), qPrintable(text));
    }

    void slidesGrowOneByOne()
    {
        startExportPage();
        const QString path = out->filePath("show.ppt");
        dialogs().saveAnswer = path;
        for (int slide = 1; slide <= 2; ++slide) {
            QVERIFY(exportWith("SAVE:PPT"));
            QCOMPARE(dialogs().messages.last(), QString("English 216 %1 English 217\n%2").arg(slide).arg(path));
            QCOMPARE(state().layoutFrozen, qint16(0));
            QVERIFY(state().barsShown);
            const QJsonObject show = reader.inspect(path);
            QCOMPARE(show.value("slides").toInt(), slide);
            QCOMPARE(show.value("pictures").toArray().last().toInt(), 1);
        }
        QCOMPARE(dialogs().suggestedNames.first(), QString("Exportsample2026.ppt"));
        QCOMPARE(filesBeside(path), QStringList{"show.ppt"});
    }

    void slideGoesOnlyIntoAPresentation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("plain text") << "notes.ppt" << QByteArray("a few words\n");
        QTest::newRow("random bytes") << "noise.ppt" << QByteArray("\xd0\xcf\x11\xe0 and then nothing of a file", 31);
        QTest::newRow("spreadsheet") << "book.ppt" << QByteArray();
    }
    void slideGoesOnlyIntoAPresentation()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        startExportPage();
        const QString path = out->filePath(name);
        if (content.isEmpty()) {
            dialogs().saveAnswer = out->filePath("book.xls");
            QVERIFY(exportWith("SAVE:EXCEL"));
            QVERIFY(QFile::rename(out->filePath("book.xls"), path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        }
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray original = before.readAll();
        QCOMPARE(exportSlide(path), "This file is not a presentation, so no slide was added to it:\n" + path);
        QCOMPARE(dialogs().messages.size(), content.isEmpty() ? 2 : 1);
        QVERIFY(before.seek(0));
        QCOMPARE(before.readAll(), original);
        QCOMPARE(filesBeside(path), QStringList{name});
        // The office goes on working.
        QCOMPARE(exportSlide(out->filePath("show.ppt")), "English 216 1 English 217\n" + out->filePath("show.ppt"));
    }

    void emptyFileBecomesAPresentationWithTheSlideFirst()
    {
        startExportPage();
        const QString path = out->filePath("empty.ppt");
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(exportSlide(path), "English 216 1 English 217\n" + path);
        const QJsonObject show = reader.inspect(path);
        QCOMPARE(show.value("slides").toInt(), 1);
        QCOMPARE(show.value("pictures").toArray(), QJsonArray{1});
    }

    void exportAfterTheOfficeWasKilledSucceeds()
    {
        startExportPage();
        const QString first = out->filePath("first.doc");
        dialogs().saveAnswer = first;
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages, QStringList{saved(first)});
        QVERIFY(office.running());
        const QString group = QString::number(office.processId());
        QProcess::execute("pkill", {"-KILL", "-g", group, "-x", "soffice.bin"});
        const QString after = out->filePath("after.doc");
        dialogs().saveAnswer = after;
        QVERIFY(exportWith("SAVE:WORDH"));
        QCOMPARE(dialogs().messages.last(), saved(after));
        QVERIFY(reader.inspect(after).value("text").toString().contains(ExportPage::heading));
        QCOMPARE(filesBeside(after), (QStringList{"after.doc", "first.doc"}));
    }

    void programEndStopsARunningExportCleanly()
    {
        // What a killed run left in the office's place goes at the next start of the office.
        startOn("/page");
        LibreOfficeEngine sameFolder;
        sameFolder.setOwnFolder(state().appFolder.path(QStringLiteral("\\Office")));
        QDir temporary(sameFolder.workPlace());
        const QString leftover = QString("tamzo-office-%1-Ab12Cd").arg(endedProcess());
        QVERIFY(temporary.mkpath(leftover + "/profile"));
        const auto ours = [&] {
            return temporary.entryList({QString("tamzo-office-%1-*").arg(QCoreApplication::applicationPid())}, QDir::Dirs);
        };
        const QStringList others = ours();
        const QString path = out->filePath("cut.doc");
        dialogs().saveAnswer = path;
        command("SAVE:WORDH");
        QTRY_VERIFY_WITH_TIMEOUT(form().statusBar->text().startsWith("Writing"), 20000);
        QVERIFY(!temporary.exists(leftover));
        QCOMPARE(ours().size(), others.size() + 1);
        browser.reset();
        QCOMPARE(QDir(out->path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(ours(), others);
    }

    void aPlantedLinkLeavesTheLinkedFolderWhole_data()
    {
        QTest::addColumn<bool>("inWorkPlace");
        QTest::newRow("shared temporary folder") << false;
        QTest::newRow("office's own place") << true;
    }
    // Another user may plant a link named like a killed run's folder; the office's start must not
    // empty what it leads to, and still removes the real leftover beside it.
    void aPlantedLinkLeavesTheLinkedFolderWhole()
    {
        QFETCH(bool, inWorkPlace);
        LibreOfficeEngine fresh;
        QTemporaryDir victim;
        QVERIFY(QDir(victim.path()).mkpath("letters"));
        QFile precious(victim.filePath("letters/precious.txt"));
        QVERIFY(precious.open(QIODevice::WriteOnly) && precious.write("keep me") > 0);
        precious.close();
        startOn("/page");
        fresh.setOwnFolder(state().appFolder.path(QStringLiteral("\\Office")));
        form().exports().useOfficeEngine(fresh);
        const QDir holder(inWorkPlace ? fresh.workPlace() : QDir::tempPath());
        QVERIFY(holder.exists());
        const qint64 ended = endedProcess();
        const QString planted = holder.filePath(QString("tamzo-office-%1-Planted").arg(ended));
        const QString leftover = holder.filePath(QString("tamzo-office-%1-Killed").arg(ended));
        QVERIFY(QFile::link(victim.path(), planted));
        QVERIFY(QDir().mkpath(leftover + "/profile"));

        const QString path = out->filePath("after.doc");
        dialogs().saveAnswer = path;
        QVERIFY(exportWith("SAVE:WORDH"));
        const bool linkKept = QFileInfo(planted).isSymLink();
        QFile::remove(planted);
        QCOMPARE(dialogs().messages, QStringList{saved(path)});
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("keep me"));
        QVERIFY(linkKept);
        QVERIFY(!QFileInfo::exists(leftover));
    }

    void aHungOfficeIsStoppedAndTheNextRequestWorks()
    {
        LibreOfficeEngine engine(QStringLiteral(TAMZO_SOURCE_DIR "/tests/office/readback.py"));
        placed(engine);
        engine.setTimeouts(30000, 1000);
        const auto ask = [&engine](int seconds) {
            QJsonObject answer;
            engine.call({{"op", "sleep"}, {"seconds", seconds}}, [&](const QJsonObject &a) { answer = a; });
            if (!QTest::qWaitFor([&] { return !answer.isEmpty(); }, 40000))
                return QJsonObject{{"error", "no answer at all"}};
            return answer;
        };
        QVERIFY(ask(0).value("ok").toBool());
        // Far sooner than the call's own 600 s: the time limit ended it.
        const QJsonObject hung = ask(600);
        QCOMPARE(hung.value("ok").toBool(), false);
        QVERIFY2(hung.value("error").toString().contains("did not answer"), qPrintable(hung.value("error").toString()));
        QVERIFY(!engine.running());
        QVERIFY(ask(0).value("ok").toBool());
    }

    void anOfficeThatDiedIsReplacedBeforeTheNextRequest()
    {
        LibreOfficeEngine engine(QStringLiteral(TAMZO_SOURCE_DIR "/tests/office/readback.py"));
        placed(engine);
        const auto ask = [&engine](const QJsonObject &request) {
            QJsonObject answer;
            engine.call(request, [&](const QJsonObject &a) { answer = a; });
            if (!QTest::qWaitFor([&] { return !answer.isEmpty(); }, 60000))
                return QJsonObject{{"error", "no answer at all"}};
            return answer;
        };
        QVERIFY(ask({{"op", "end_office"}}).value("ok").toBool());
        out = std::make_unique<QTemporaryDir>();
        const QString path = out->filePath("after.xls");
        QFile page(out->filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><table><tr><td>still here</td></tr></table></body></html>");
        page.close();
        const QJsonObject written = ask({{"op", "workbook"}, {"html", page.fileName()}, {"output", path}});
        QVERIFY2(written.value("ok").toBool(), qPrintable(written.value("error").toString()));
        QVERIFY(reader.inspect(path).value("cells").toArray().contains(QJsonValue("still here")));
    }
};

TAMZO_TEST_MAIN(tst_OfficeExports)
#include "tst_officeexports.moc"
