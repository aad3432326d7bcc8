#pragma once

#include <QElapsedTimer>
#include <QWebEnginePage>

// The engine page of one view: reports main-frame navigations before they start, hands pages
// that ask for a new window to its owner instead of opening one, remembers when the user last
// clicked or typed in it, and keeps the page's console quiet.
class WebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    // How long after the user's last click or key press a download still counts as the user's.
    static constexpr int userActionMs = 3000;

    WebPage(QWebEngineProfile *profile, QObject *parent);

    void noteUserAction() { m_lastUserAction.start(); }
    bool userActedRecently() const
    {
        return m_lastUserAction.isValid() && m_lastUserAction.elapsed() < userActionMs;
    }

signals:
    void mainFrameNavigation(const QUrl &url);
    void newWindowAsked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }

private:
    QElapsedTimer m_lastUserAction;
};
