#include "exportsupport.h"

#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "core/programstate.h"
#include "core/textfile.h"
#include "exportnames.h"
#include "filereplacement.h"
#include "platform/userdialogs.h"

#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <memory>
#include <vector>

ExportSupport::ExportSupport(ProgramState &state, TabSet &tabs, UserDialogs &dialogs, DesktopShell &shell,
                             QWidget *window, QLabel *statusLine, QObject *parent)
    : QObject(parent), m_state(state), m_tabs(tabs), m_dialogs(dialogs), m_shell(shell),
      m_indicator(state, window, statusLine), m_pageCopy(this)
{
}

WebView *ExportSupport::activeView() const { return m_tabs.activeView(); }

QString ExportSupport::caption(int number, const char *english) const { return m_state.caption(number, english); }

bool ExportSupport::begin(int doingCaption, const char *doingEnglish, bool translucent)
{
    if (m_indicator.begin(caption(doingCaption, doingEnglish), translucent))
        return true;
    m_dialogs.message(caption(busyCaption, "An export is running; wait until it has ended."));
    return false;
}

// The clipboard holds a fragment of the page; the office reads it as a whole UTF-8 document.
static QByteArray htmlDocument(const QString &html, const QString &text)
{
    const QString body = html.trimmed().isEmpty()
                             ? QStringLiteral("<p>") + text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"))
                                   + QStringLiteral("</p>")
                             : html;
    if (body.contains(QStringLiteral("<html"), Qt::CaseInsensitive))
        return body.toUtf8();
    return QByteArrayLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body.toUtf8()
           + QByteArrayLiteral("</body></html>");
}

void ExportSupport::copyPage(std::function<void(const QString &)> done)
{
    m_office->prepare();
    QPointer<ExportSupport> self(this);
    m_pageCopy.run(activeView(), [self, done = std::move(done)](const PageCopy::Copied &copied) {
        if (!self)
            return;
        if (copied.empty()) {
            self->finish(self->caption(nothingCaption, "Nothing could be copied from this page."));
            return done(QString());
        }
        const QString path = self->workFile(QStringLiteral("page.html"));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(htmlDocument(copied.html, copied.text)) < 0
            || !file.flush() || !file.commit()) {
            self->failed(WriteResult::failure(path, file.errorString()));
            return done(QString());
        }
        done(path);
    });
}

QString ExportSupport::chooseFile(const QString &extension, const QString &filter, const QString &untitled)
{
    const QString name = ExportNames::suggested(activeView()->LocationName(), extension, untitled);
    const QString suggested =
        m_fileName.isEmpty() ? name : QFileInfo(m_fileName).absoluteDir().filePath(name);
    QString chosen = m_dialogs.saveFileName(suggested, filter);
    if (chosen.isEmpty())
        return chosen;
    // A name typed without extension gets the one of its kind.
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += extension;
    m_fileName = chosen;
    return chosen;
}

void ExportSupport::writeFiles(const QStringList &finalPaths, const OfficeWork &work,
                               std::function<void(const OfficeEngine::Reply &)> done)
{
    auto files = std::make_shared<std::vector<std::unique_ptr<FileReplacement>>>();
    QStringList temporaryPaths;
    for (const QString &path : finalPaths) {
        files->push_back(std::make_unique<FileReplacement>(path));
        if (const WriteResult reserved = files->back()->prepare(); !reserved.ok())
            return failed(reserved);
        temporaryPaths.append(files->back()->temporaryPath());
    }
    m_indicator.show(caption(writingCaption, "Writing") + u' ' + QFileInfo(finalPaths.first()).fileName());
    QPointer<ExportSupport> self(this);
    work(temporaryPaths, [self, files, done = std::move(done)](const OfficeEngine::Reply &reply) {
        if (!self)
            return;
        const QString &first = files->front()->finalPath();
        if (reply.missing)
            return self->finish(UserDialogs::Icon::Critical, self->caption(officeMissingCaption, "This export needs LibreOffice and its Python bridge (Debian packages libreoffice-writer-nogui, libreoffice-calc-nogui, libreoffice-impress-nogui and python3-uno):") + u'\n'
                                + reply.error);
        if (!reply.ok)
            return self->failed(WriteResult::failure(first, reply.error));
        for (const auto &file : *files) {
            if (const WriteResult placed = file->commit(); !placed.ok())
                return self->failed(placed);
        }
        done(reply);
    });
}

void ExportSupport::finish(const QString &message) { finish(UserDialogs::Icon::Information, message); }

void ExportSupport::finish(UserDialogs::Icon icon, const QString &message)
{
    m_indicator.end();
    if (!message.isEmpty())
        m_dialogs.message(message, icon);
}

void ExportSupport::saved(const QString &path) { finish(caption(savedCaption, "File saved: ") + path); }

void ExportSupport::failed(const WriteResult &failure)
{
    finish(UserDialogs::Icon::Critical,
           caption(writeFailedCaption, "The file could not be written:") + u'\n' + failure.message());
}
