#pragma once

#include "commands/mainwindowcommands.h"
#include "platform/userdialogs.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class Bookmark;
class Captions;
class CommandBars;
class CommandCatalogue;
class DesktopShell;
class Dispatcher;
class DocumentShell;
class Exports;
class FindBar;
class FloatingBar;
class History;
class LinkTables;
class Navigator;
class QComboBox;
class QLabel;
class QProgressBar;
class QToolBar;
class QToolButton;
class TabSet;
class TabStrip;
class TravelEngine;
class UserDialogs;
class WindowTitle;
struct ProgramState;

// The main window: start-up, shutdown and layout. It owns the window's controls and one
// object per subsystem, each carrying its own procedures and timers.
class frmStart : public QWidget, public MainWindowCommands
{
    Q_OBJECT
public:
    static constexpr int deferredStartMs = 750;
    static constexpr int saveFailedCaption = 224;
    static constexpr int travelEndedCaption = 279;
    static constexpr int firstShowBoundMs = 400;

    frmStart(ProgramState &state, UserDialogs &dialogs, DesktopShell &shell, QWidget *parent = nullptr);
    ~frmStart() override;

    // The whole start-up; false when the first-run installation ended the program. A first address
    // (from the command line) is opened in the first tab instead of the start address.
    bool Form_Load(const QString &firstAddress = QString());
    // Shows the window once the first tab has finished its first page (loaded or failed), or
    // firstShowBoundMs from now when that takes longer: until then the engine has the processor for
    // that page. The window appears as it would at once, its page drawn.
    void showAfterFirstPage();
    // Told the name of each start-up step of Form_Load as it ends (for timing them).
    void observeSteps(std::function<void(const char *step)> observer) { m_stepEnded = std::move(observer); }
    bool Move_Data();
    void Form_Resize();

    // The end of a run nobody watches (a signal, the end of the desktop session): failed saves
    // go to standard error and the program ends at once, or, during the start-up, as soon as the
    // start-up is complete.
    void exitUnattended();
    // The session manager's request to save: the settings are saved and the program goes on.
    void commitData();

    // MainWindowCommands
    void GO_Exit() override;
    void minimizeWindow() override;
    void applyBarStyle() override;
    void setFloatingBar(bool on) override;
    void showFindBar() override;
    void menuShown() override;
    void menuClosed() override;
    void showStatus(const QString &text) override;

    static QString todayDateFrom(const QDate &date);


    TabSet &tabs() { return *m_tabs; }
    Navigator &navigator() { return *m_navigator; }
    History &history() { return *m_history; }
    TravelEngine &travel() { return *m_travel; }
    Captions &captions() { return *m_captions; }
    CommandBars &bars() { return *m_bars; }
    const CommandCatalogue &catalogue() const { return *m_catalogue; }
    Dispatcher &dispatcher() { return *m_dispatcher; }
    FindBar &findBar() { return *m_findBar; }
    FloatingBar &floatingBar() { return *m_floatingBar; }
    Exports &exports() { return *m_exports; }

    // Controls.
    QWidget *picBar;
    QToolBar *cmdBar0;
    QWidget *cmdBar1;
    QToolBar *cmdBar2;
    TabStrip *Tab1;
    QComboBox *Text1;
    QWidget *picStat;
    QToolButton *cmdMoveL;
    QLabel *statusBar;
    QLabel *timeBar;
    QProgressBar *progressBar;
    QToolButton *cmdMove;

    QTimer Timer4;
    QTimer firstShowTimer;

public slots:
    void Timer4_Timer();
    void firstShowTimer_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stepEnded(const char *step) const;
    void buildCommands();
    void deleteScratchFiles();
    void startupMessage(const QString &text, UserDialogs::Icon icon = UserDialogs::Icon::Information);
    void saveSettings(bool attended);
    void endRun(bool attended);
    void quitOnce();

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    DesktopShell &m_shell;
    // The manual and the help open in a tab of the program's own.
    std::unique_ptr<DocumentShell> m_documents;
    std::unique_ptr<TabSet> m_tabs;
    std::unique_ptr<History> m_history;
    std::unique_ptr<Bookmark> m_bookmark;
    std::unique_ptr<Navigator> m_navigator;
    std::unique_ptr<TravelEngine> m_travel;
    std::unique_ptr<Captions> m_captions;
    std::unique_ptr<CommandCatalogue> m_catalogue;
    std::unique_ptr<LinkTables> m_linkTables;
    CommandBars *m_bars = nullptr;
    Dispatcher *m_dispatcher = nullptr;
    FindBar *m_findBar = nullptr;
    Exports *m_exports = nullptr;
    WindowTitle *m_windowTitle = nullptr;
    FloatingBar *m_floatingBar = nullptr;
    std::function<void(const char *)> m_stepEnded;
    qint16 wasMinimized = 0;
    bool m_loaded = false;
    bool m_exiting = false;
    bool m_quitting = false;
    bool m_endRequested = false;
    bool m_firstShowPending = false;
};
