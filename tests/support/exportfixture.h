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

// The page the export tests save: a title, text, a picture and a table, served with the picture.
struct ExportPage
{
    static constexpr const char *title = "Export sample, 2026!";
    static constexpr const char *heading = "Harbour timetable";
    static constexpr const char *cells[] = {"Departure", "Pier", "Genova", "Pier 7"};

    static QByteArray picture()
    {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    }

    // The page with `filler` paragraphs of text after the table; its size in bytes.
    static qsizetype serve(TestHttpServer &server, const QString &path, int filler = 0)
    {
        server.setPage("/harbour.png", picture(), "image/png");
        QByteArray html = QByteArray("<html><head><title>") + title + "</title></head><body><h1>" + heading
                          + "</h1><p>Boats leave every hour.</p><img src=\"/harbour.png\" width=\"120\" "
                            "height=\"80\"><table border=\"1\"><tr><td>"
                          + cells[0] + "</td><td>" + cells[1] + "</td></tr><tr><td>" + cells[2] + "</td><td>"
                          + cells[3] + "</td></tr></table>";
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
    DocumentReader() : m_engine(QStringLiteral(TAMZO_SOURCE_DIR "/tests/office/readback.py")) {}

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
    LibreOfficeEngine m_engine;
};
