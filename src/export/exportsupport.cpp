#include "exportsupport.h"

#include "browsing/tabset.h"
#include "browsing/webview.h"
#include "core/programstate.h"
#include "core/textfile.h"
#include "core/writefailure.h"
#include "exportnames.h"
#include "filereplacement.h"
#include "platform/userdialogs.h"

#include <QApplication>
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

QString ExportSupport::workFile(const QString &name) const
{
    return m_scratch ? m_scratch->filePath(name) : QString();
}

bool ExportSupport::begin(int doingCaption, const char *doingEnglish, bool translucent)
{
    if (m_indicator.begin(caption(doingCaption, doingEnglish), translucent)) {
        m_scratch = std::make_unique<QTemporaryDir>();
        m_focus = QApplication::focusWidget();
        return true;
    }
    m_dialogs.message(caption(busyCaption, "An export is running; wait until it has ended."));
    return false;
}

// The body's markup as a whole UTF-8 document for the office.
static QByteArray htmlDocument(const QString &body)
{
    return QByteArrayLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body.toUtf8()
           + QByteArrayLiteral("</body></html>");
}

static WriteResult writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.flush() || !file.commit())
        return WriteResult::failure(path, file.errorString());
    return WriteResult::success();
}

void ExportSupport::copyPage(std::function<void(const QString &)> done)
{
    m_office->prepare();
    QPointer<ExportSupport> self(this);
    m_pageCopy.run(activeView(), [self, done = std::move(done)](const PageCopy::Copied &copied) {
        if (!self)
            return;
        if (!copied.answered) {
            self->finish(self->silentPageText());
            return done(QString());
        }
        if (copied.empty()) {
            self->finish(self->caption(nothingCaption, "Nothing could be copied from this page."));
            return done(QString());
        }
        const QString path = self->workFile(QStringLiteral("page.html"));
        WriteResult written = writeWhole(path, htmlDocument(copied.html));
        for (qsizetype n = 0; written.ok() && n < copied.pictures.size(); ++n) {
            if (!copied.pictures[n].isEmpty())
                written = writeWhole(self->workFile(PageCopy::pictureName(n)), copied.pictures[n]);
        }
        if (!written.ok()) {
            self->failed(written);
            return done(QString());
        }
        done(path);
    });
}

QString ExportSupport::chooseFile(int commandCaption, const QString &extension, const QString &filter,
                                  const QString &untitled)
{
    WebView *view = activeView();
    const QString title = ExportNames::pageTitle(view->LocationName(), view->LocationURL());
    const QString name = ExportNames::suggested(title, extension, untitled.isEmpty() ? m_state.todayDate : untitled);
    const QString suggested =
        m_fileName.isEmpty() ? name : QFileInfo(m_fileName).absoluteDir().filePath(name);
    QString chosen = m_dialogs.saveFileName(m_state.caption(commandCaption), suggested, filter);
    if (chosen.isEmpty())
        return chosen;
    // A name typed without extension gets the one of its kind.
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += extension;
    m_fileName = chosen;
    return chosen;
}

void ExportSupport::writeFiles(const QStringList &finalPaths, const QString &source, const OfficeWork &work,
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
    work(temporaryPaths, [self, files, source, done = std::move(done)](const OfficeEngine::Reply &reply) {
        if (!self)
            return;
        // The files beside the user's are gone before any message waits for the user.
        const QString first = files->front()->finalPath();
        WriteResult placed = WriteResult::success();
        for (const auto &file : *files) {
            if (reply.ok && placed.ok())
                placed = file->commit();
        }
        files->clear();
        if (!reply.ok)
            return self->officeFailed(reply, first, source);
        if (!placed.ok())
            return self->failed(placed);
        done(reply);
    });
}

void ExportSupport::officeFailed(const OfficeEngine::Reply &reply, const QString &file, const QString &source)
{
    using Failure = OfficeEngine::Failure;
    QString message;
    switch (reply.failure) {
    case Failure::Write:
        return failed(WriteResult::failure(file, caption(officeCouldNotWriteCaption, "the office could not write it")));
    case Failure::Missing:
        message = caption(officeMissingCaption, "This export needs LibreOffice and its Python bridge (Debian packages libreoffice-writer-nogui, libreoffice-calc-nogui, libreoffice-impress-nogui and python3-uno):")
                  + u'\n' + reply.error;
        break;
    case Failure::Template:
        message = caption(templateUnreadableCaption, "The Word template could not be read:") + u'\n' + source;
        break;
    case Failure::NotPresentation:
        message = caption(notPresentationCaption, "This file is not a presentation, so no slide was added to it:")
                  + u'\n' + file;
        break;
    case Failure::Unsafe:
        message = caption(officeUnsafeCaption, "The office was not started: it has no folder of its own that only you can write:")
                  + u'\n' + reply.error;
        break;
    case Failure::Stopped:
        message = caption(officeStoppedCaption, "The office stopped before the file was written; the next export starts it again.");
        break;
    case Failure::None:
    case Failure::Other:
        message = caption(officeFailedCaption, "The office could not make a document of this page:") + u'\n' + file;
        break;
    }
    finish(UserDialogs::Icon::Critical, message);
}

QString ExportSupport::silentPageText() const
{
    return caption(silentPageCaption, "The page did not answer in time, so nothing was copied from it.");
}

void ExportSupport::finish(const QString &message) { finish(UserDialogs::Icon::Information, message); }

void ExportSupport::finish(UserDialogs::Icon icon, const QString &message)
{
    m_indicator.end();
    m_scratch.reset();
    if (!message.isEmpty())
        m_dialogs.message(message, icon);
    if (const QPointer<QWidget> focus = std::exchange(m_focus, nullptr))
        focus->setFocus(Qt::OtherFocusReason);
}

void ExportSupport::saved(const QString &path) { finish(caption(savedCaption, "File saved: ") + path); }

void ExportSupport::failed(const WriteResult &failure)
{
    finish(UserDialogs::Icon::Critical, writeFailureText(m_state, failure));
}
