#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

class DesktopShell;
class History;
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
struct ProgramState;

// The main window: start-up, shutdown and layout. It owns the window's controls and one
// object per subsystem, each carrying its own procedures and timers.
class frmStart : public QWidget
{
    Q_OBJECT
public:
    static constexpr int deferredStartMs = 750;
    static constexpr int saveFailedCaption = 109;

    frmStart(ProgramState &state, UserDialogs &dialogs, DesktopShell &shell, QWidget *parent = nullptr);
    ~frmStart() override;

    // The whole start-up; false when the first-run installation ended the program.
    bool Form_Load();
    bool Move_Data();
    void GO_Exit();
    void Form_Resize();
    // Reads the language file of languageName and applies its tab count.
    void Read_Lang();

    static QString todayDateFrom(const QDate &date);

    TabSet &tabs() { return *m_tabs; }
    Navigator &navigator() { return *m_navigator; }
    History &history() { return *m_history; }
    TravelEngine &travel() { return *m_travel; }

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

public slots:
    void Timer4_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void placeWindow();
    void deleteScratchFiles();

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    DesktopShell &m_shell;
    std::unique_ptr<TabSet> m_tabs;
    std::unique_ptr<History> m_history;
    std::unique_ptr<Navigator> m_navigator;
    std::unique_ptr<TravelEngine> m_travel;
    bool m_loaded = false;
    bool m_exiting = false;
};
