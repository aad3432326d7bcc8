#pragma once

#include "exportindicator.h"
#include "pagecopy.h"
#include "platform/officeengine.h"
#include "platform/userdialogs.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class DesktopShell;
class QLabel;
class TabSet;
class WebView;
class WriteResult;
struct ProgramState;

// What every export shares: the window's look while it runs, the page copy, the save dialog
// with the name kept from one export to the next, the office engine, the files written beside
// their final names, and the messages that end an export.
class ExportSupport : public QObject
{
    Q_OBJECT
public:
    static constexpr int savedCaption = 108;
    static constexpr int nothingCaption = 120;
    static constexpr int officeMissingCaption = 255;
    static constexpr int busyCaption = 256;
    static constexpr int copyingCaption = 257;
    static constexpr int writingCaption = 258;
    static constexpr int capturingCaption = 259;
    static constexpr int savingCaption = 260;
    static constexpr int templateUnreadableCaption = 264;
    static constexpr int notPresentationCaption = 265;
    static constexpr int officeStoppedCaption = 266;
    static constexpr int officeCouldNotWriteCaption = 268;
    static constexpr int officeFailedCaption = 269;
    static constexpr int silentPageCaption = 421;
    static constexpr int officeUnsafeCaption = 441;

    ExportSupport(ProgramState &state, TabSet &tabs, UserDialogs &dialogs, DesktopShell &shell, QWidget *window,
                  QLabel *statusLine, QObject *parent = nullptr);

    ProgramState &state() { return m_state; }
    UserDialogs &dialogs() { return m_dialogs; }
    DesktopShell &shell() { return m_shell; }
    ExportIndicator &indicator() { return m_indicator; }
    WebView *activeView() const;
    QString caption(int number, const char *english) const;
    // A file in the running export's own scratch folder, removed when the export ends.
    QString workFile(const QString &name) const;

    OfficeEngine &office() { return *m_office; }
    void setOffice(OfficeEngine &office) { m_office = &office; }

    // Starts an export with the window translucent or not, and its scratch folder; false (with
    // a message) when another export is running.
    bool begin(int doingCaption, const char *doingEnglish, bool translucent = true);

    // The active view's page copied; done gets the page as an HTML file, or an empty name
    // (the export has then ended with caption 120, or with the page that did not answer).
    void copyPage(std::function<void(const QString &htmlPath)> done);

    // The save dialog, titled with the caption of the export's command, with the page title's
    // suggested name (untitled, or today's date, for a page without title); empty when cancelled.
    QString chooseFile(int commandCaption, const QString &extension, const QString &filter,
                       const QString &untitled = {});

    // Reserves a file beside each final name, lets the office write them (work gets the
    // temporary names), and puts them in place only when all were written; then done(reply).
    // Every failure ends the export with a message naming the file and the reason; source is
    // the file the office reads besides the page (template or presentation), for that message.
    using OfficeWork = std::function<void(const QStringList &temporaryPaths, OfficeEngine::Done done)>;
    void writeFiles(const QStringList &finalPaths, const QString &source, const OfficeWork &work,
                    std::function<void(const OfficeEngine::Reply &)> done);

    // Endings: nothing shown, a plain message, "saved" with the file, or a failure.
    void finish(const QString &message = {});
    void finish(UserDialogs::Icon icon, const QString &message);
    void saved(const QString &path);
    // The message of an export whose page did not answer (its script is busy).
    QString silentPageText() const;
    void failed(const WriteResult &failure);

private:
    void officeFailed(const OfficeEngine::Reply &reply, const QString &file, const QString &source);

    ProgramState &m_state;
    TabSet &m_tabs;
    UserDialogs &m_dialogs;
    DesktopShell &m_shell;
    ExportIndicator m_indicator;
    PageCopy m_pageCopy;
    OfficeEngine *m_office = nullptr;
    std::unique_ptr<QTemporaryDir> m_scratch;
    // What had the keyboard focus when the export began (the page's field, say): it gets it
    // back when the export has ended.
    QPointer<QWidget> m_focus;
    // The save dialog's file name, kept from one export to the next.
    QString m_fileName;
};
