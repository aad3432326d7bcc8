#pragma once

#include <QObject>
#include <QTimer>

class History;
class QComboBox;
class QLabel;
class QProgressBar;
class TabSet;
class WebView;
struct ProgramState;

// The address box Text1 and the views' events: opens typed addresses in the active tab and
// keeps the address box, the status line and the progress bar following the active view (the
// one shown); the events of the other views change none of them. Every tab's caption follows the
// page its view shows.
class Navigator : public QObject
{
    Q_OBJECT
public:
    static constexpr int statusCaption = 179; // "loading the page" in the status line
    static constexpr int syncIntervalMs = 2000;
    static constexpr int rendererCrashedCaption = 226;
    static constexpr int badAddressCaption = 253;
    static constexpr int stopDialogsCaption = 277;
    static constexpr int scriptRefusedCaption = 278;
    static constexpr int localRefusedCaption = 401;
    // The caption of the command that saves the page titles the view's own save dialog.
    static constexpr int saveAsCaption = 145;

    Navigator(ProgramState &state, TabSet &tabs, History &history, QComboBox *addressBox,
              QLabel *statusBar, QProgressBar *progressBar);

    void GoNavigate(int recordHistory);
    void attach(WebView *view);
    // Writes an address the program or a page reports into the box, unless the user is typing
    // there: the box has the keyboard focus and its text was edited since it was last written.
    void showAddress(const QString &address);
    // Gives the box the address of the page shown, typing or not: the user has turned to a command
    // of the page (back, forward, reload, home) or pressed Escape in the box.
    void showPageAddress();

    QTimer Timer5;

public slots:
    void Timer5_Timer();

signals:
    // A navigation from the address box has been started.
    void navigated();
    // The address box took the keyboard focus.
    void addressBoxFocused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool userIsTyping() const;
    QString pageAddress() const;
    void onLocationChange(WebView *view, const QString &address);
    void notePickFromList();
    void onActiveViewShown(WebView *view);
    void onBeforeNavigate(const QString &address);
    void onProgress(int progress, int maximum);
    void onDocumentComplete(const QString &address);
    void onStatusText(const QString &text);
    void onTitle(const QString &title);
    void onLocalAddressRefused(const QString &address);

    ProgramState &m_state;
    TabSet &m_tabs;
    History &m_history;
    QComboBox *m_addressBox;
    QLabel *m_statusBar;
    QProgressBar *m_progressBar;
    // An entry of the box's list has just been picked with the pointer or the keyboard.
    bool m_listPick = false;
};
