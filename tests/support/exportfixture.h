#pragma once

#include "browserfixture.h"
#include "commands/dispatcher.h"
#include "export/exports.h"
#include "platform/libreofficeengine.h"
#include "webwait.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QTemporaryDir>

// The page the export tests save: a title, a focused search field and other form fields, text
// in several scripts, two pictures the server gives only to the page's cookie, and a table.
struct ExportPage
{
    static constexpr const char *title = "Export sample, 2026!";
    static constexpr const char *heading = "Harbour timetable";
    static constexpr const char *foreign = "Città di mare, caffè al molo \u6771\u4eac\u6e2f";
    static constexpr const char *cells[] = {"Departure", "Pier", "Genova", "Pier 7"};
    static constexpr const char *pictures[] = {"/harbour.png", "/pier.png"};
    // What the fields show (the password as dots) and what they hold but do not show.
    static constexpr const char *shownFields[] = {"search the harbour", "\u2022\u2022\u2022\u2022\u2022\u2022\u2022",
                                                  "Notes of the trip", "Lerici"};
    static constexpr const char *unshownFields[] = {"hunter2", "hidden token", "Pisa"};

    static QByteArray picture(const QColor &colour)
    {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    }

    // The page with `filler` paragraphs of text after the table; its size in bytes.
    static qsizetype serve(TestHttpServer &server, const QString &path, int filler = 0)
    {
        const QColor colours[] = {QColor(200, 30, 30), QColor(30, 30, 200)};
        QByteArray images;
        for (int i = 0; i < 2; ++i) {
            server.setPage(pictures[i], picture(colours[i]), "image/png");
            server.requireCookie(pictures[i], "pass=harbour");
            images += QByteArray("<img src=\\\"") + pictures[i] + "\\\" width=120 height=80>";
        }
        QByteArray html = QByteArray("<html><head><meta charset=\"utf-8\"><title>") + title
                          + "</title><script>document.cookie = 'pass=harbour; path=/';</script></head><body>"
                            "<input id=\"search\" autofocus value=\"search the harbour\">"
                            "<input id=\"traveller\" style=\"position:absolute;left:400px;top:10px;width:200px\">"
                            "<input type=\"password\" value=\"hunter2\"><input type=\"hidden\" value=\"hidden token\">"
                            "<textarea>Notes of the trip</textarea>"
                            "<select><option>Pisa</option><option selected>Lerici</option></select><h1>"
                          + heading + "</h1><p>Boats leave every hour.</p><p>" + foreign + "</p>"
                          // Written by the page, so the engine asks for them only once the cookie is set.
                          + "<script>document.write(\"" + images + "\");</script>"
                          + "<table border=\"1\"><tr><td>" + cells[0] + "</td><td>" + cells[1] + "</td></tr><tr><td>"
                          + cells[2] + "</td><td>" + cells[3] + "</td></tr></table>";
        for (int i = 0; i < filler; ++i)
            html += "<p>Paragraph " + QByteArray::number(i) + ": the ferry calls at every port of the gulf "
                    "on its way along the coast, weather permitting.</p>";
        html += "</body></html>";
        server.setPage(path, html);
        return html.size();
    }
};

// A main window showing the export page, its templates in place, driven through its menus.
class ExportTest : public BrowserTest
{
protected:
    // The folder the save dialogs answer with, fresh for every window.
    std::unique_ptr<QTemporaryDir> out;

    void startOn(const QString &path)
    {
        out = std::make_unique<QTemporaryDir>();
        browser = std::make_unique<BrowserFixture>(server);
        for (const char *name : {"template.doc", "templateh.doc"})
            QFile::copy(QStringLiteral(TAMZO_SOURCE_DIR "/install/") + name, browser->folder.path(QStringLiteral("Data/") + name));
        QVERIFY(browser->start(server));
        QVERIFY(navigateAndWait(active(), server.url(path)));
        form().Timer4_Timer();
    }
    ScriptedDialogs &dialogs() { return browser->dialogs; }
    void command(const QString &key) { form().dispatcher().cmdBar_ButtonClick(3, key); }
    // Runs a menu command and waits until the export it started has ended.
    bool exportWith(const QString &key, int timeoutMs = 60000)
    {
        command(key);
        return waitUntil([&] { return !form().exports().running(); }, timeoutMs);
    }
    QString saved(const QString &path) const { return QStringLiteral("English 108") + path; }
};

// Reads documents back with a LibreOffice of its own.
class DocumentReader
{
public:
    DocumentReader() : m_engine(QStringLiteral(TAMZO_SOURCE_DIR "/tests/office/readback.py"))
    {
        m_engine.setOwnFolder(m_work.filePath(QStringLiteral("Office")));
    }

    LibreOfficeEngine &engine() { return m_engine; }

    // What the document holds: "text", "landscape", "pictures", "embedded" (Word); "cells"
    // (Excel); "slides", "pictures" (PowerPoint); "error" when it cannot be read.
    QJsonObject inspect(const QString &path)
    {
        QJsonObject result;
        bool done = false;
        m_engine.call({{"op", "inspect"}, {"path", path}}, [&](const QJsonObject &answer) {
            result = answer;
            done = true;
        });
        if (!waitUntil([&] { return done; }, 120000))
            return {{"error", "no answer"}};
        return result;
    }

private:
    QTemporaryDir m_work;
    LibreOfficeEngine m_engine;
};
