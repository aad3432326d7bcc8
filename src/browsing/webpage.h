#pragma once

#include "pagedialogs.h"

#include <QElapsedTimer>
#include <QWebEnginePage>

// The engine page of one view: reports main-frame navigations before they start, hands pages
// that ask for a new window or to be closed to its owner instead of opening or closing one,
// refuses the navigations and windows by which a public page (or a server's redirection from one)
// would lead into the local network, remembers whether the user asked for what it loads (a click
// or key in the page just before, or an address the user gave), tells whether the program's own
// navigation showed a document, shows the page's own dialogs without locking the program, and
// keeps the page's console quiet.
class WebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    // How long after the user's last click or key press a download still counts as the user's.
    static constexpr int userActionMs = 3000;

    WebPage(QWebEngineProfile *profile, QObject *parent);

    PageDialogs &dialogs() { return m_dialogs; }

    void noteUserAction() { m_lastUserAction.start(); }
    // The next navigation is one the user asked for; it stays so, through the server's
    // redirections, until a document is shown.
    void noteUserNavigation(bool asked) { m_userNavigation = asked; }
    // Whether a download now is the user's: a click or key just before, or the navigation the
    // user asked for (which a download ends).
    bool takeUserRequest();
    // The program opens this address now (none: the user opens one); the page tells whether its
    // document was shown.
    void noteProgramNavigation(const QUrl &url) { m_programNavigation = url; }

signals:
    // A document is asked for: by the page itself (its links, forms and scripts, and the server's
    // redirections of these), or by the user or the program.
    void mainFrameNavigation(const QUrl &url, bool pageStarted);
    void newWindowAsked(const QUrl &url);
    void localAddressRefused(const QUrl &url);
    // The program's navigation has its document shown (the engine's own page for an address that
    // cannot be reached included), or it has not: the engine made it a download, or it was led
    // into the local network; the page shown stays. Neither comes when another navigation took
    // its place first.
    void programNavigationShown(const QUrl &url);
    void programNavigationNotShown(const QUrl &url);
    // The page's script called window.close(); the engine has not been asked, and the page is
    // not closing unless its owner closes it.
    void closeAsked();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int line,
                                  const QString &source) override;
    void javaScriptAlert(const QUrl &origin, const QString &text) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &text) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultText,
                          QString *result) override;

private:
    QWidget *owner() const;
    bool refusedLocal(const QUrl &from, const QUrl &to);
    bool userJustActed() const;
    void endProgramNavigation(bool shown);

    QElapsedTimer m_lastUserAction;
    bool m_userNavigation = false;
    // The address the main frame asked for last, through the server's redirections.
    QUrl m_lastRequested;
    bool m_pageStarted = false;
    QUrl m_programNavigation;
    PageDialogs m_dialogs;
};
