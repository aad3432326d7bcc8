#pragma once

#include "linkfilter.h"

#include <QPointer>
#include <QStringList>
#include <QList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <map>

class SharedPrinter;
class QWebEngineLoadingInfo;
class QWebEngineView;
class QWheelEvent;
class UserDialogs;
class WebPage;
class WebProfile;

// One tab's web view: the operations and events the program uses of the web engine.
// The engine view (and its renderer process) is created at the first navigation, in the given
// profile (the engine's off-the-record one without).
class WebView : public QWidget
{
    Q_OBJECT
public:
    // The commands ExecWB carries out.
    enum Command {
        SaveAs = 4,
        Print = 6,
        PrintPreview = 7,
        PageSetup = 8,
        Properties = 10,
        Cut = 11,
        Copy = 12,
        Paste = 13,
        SelectAll = 17,
        Delete = 33,
    };

    WebView(UserDialogs &dialogs, SharedPrinter &printer, QWidget *parent = nullptr, WebProfile *profile = nullptr);
    ~WebView() override;

    // Navigate opens an address for the program (travel, a reload of the start page);
    // Navigate2 one the user gave (typed, picked, the bookmark, a link table): a download it
    // leads to counts as the user's.
    void Navigate(const QString &address);
    void Navigate2(const QString &address);
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh();
    void Refresh2();
    void Stop();
    void ExecWB(int command, int option = 0);
    void SetFocus();

    // Ends the renderer of a page whose script never yields, which would keep a core busy and
    // take no other document; the view then shows that the page stopped working.
    void endSilentPage();

    bool Busy() const { return m_busy; }
    // The latest document asked for is the page's doing (its link, form or script), not the
    // user's nor the program's.
    bool pageNavigation() const { return m_pageNavigation; }
    // Whether the engine has a page to go back or forward to.
    bool canGoBack() const;
    bool canGoForward() const;
    // The last load ended with the page shown: not failed, not a notice of the program's.
    bool showsPage() const { return m_showsPage; }
    // The page's address; while a notice stands for an address that failed, that address.
    QString LocationURL() const;
    QString LocationName() const;

    void setHomeAddress(const QString &address) { m_homeAddress = address; }

    // The page's zoom in percent; each view keeps its own across the pages it shows.
    int zoomPercent() const { return m_zoomPercent; }
    void setZoomPercent(int percent);
    bool hasEngine() const { return m_engine != nullptr; }
    QWebEngineView *engine() { return ensureEngine(); }

    // Shows a short text of the program's own in place of the page; the address it stands for
    // is the view's address while the notice is shown, also when back or forward returns to it.
    void showNotice(const QString &text, const QString &address);
    // The caption of the page dialogs' button that stops them, in the language shown.
    void setDialogStopText(std::function<QString()> text);
    // The title of the view's own save dialog, in the language shown.
    void setSaveTitle(std::function<QString()> title) { m_saveTitle = std::move(title); }

    // The document, read asynchronously in a world the page's own scripts cannot reach.
    // Each callback runs at most once, later, on the event loop; never when the view is gone.
    // When the page's renderer dies, every pending reading is answered with nothing.
    void readLinks(const LinkFilter &filter, std::function<void(const QStringList &hrefs)> done);
    void readReadyState(std::function<void(const QString &state)> done);
    void readMarkup(std::function<void(const QString &markup)> done);
    // The value of a script run over the document in that same world (an empty one without page).
    void readDocument(const QString &script, std::function<void(const QVariant &value)> done);

signals:
    void StatusTextChange(const QString &text);
    void ProgressChange(int progress, int maximum);
    void TitleChange(const QString &text);
    void BeforeNavigate2(const QString &address);
    void DocumentComplete(const QString &address);
    // The view shows another address (a new page, a step back or forward, a move inside the page).
    void LocationChange(const QString &address);
    // Going back or forward became possible or impossible.
    void HistoryChange();
    void WindowClosing(bool isChildWindow, bool *cancel);
    // The page's renderer has crashed or been killed; the page is gone.
    void RendererCrashed(const QString &address);
    // The page asked for a new window on this address; none is opened.
    void NewWindow(const QString &address);
    // An address the engine cannot open was given; the view shows nothing new.
    void AddressRejected(const QString &address);
    void ZoomChange(int percent);
    // The wheel was turned a notch with Ctrl held over the page; the view itself does not zoom.
    void ZoomWheel(bool zoomIn);
    // The address could not be reached (no server, no such host, no such file); reason says why.
    void LoadFailed(const QString &address, const QString &reason);
    // A public page would have led into the local network, by a link, form, script, window or a
    // server's redirection; it was not opened.
    void LocalAddressRefused(const QString &address);
    // The address of the latest Navigate has its document shown (or the notice that it cannot be
    // reached), or it has not: it became a download or was refused; the page shown stays.
    // Neither comes when another navigation took its place first.
    void NavigationShown(const QString &address);
    void NavigationNotShown(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString noticeAddressOf(const QUrl &url);
    QWebEngineView *ensureEngine();
    void open(const QString &address, bool userAsked);
    bool freeHeldPage(std::function<void()> next);
    void endRenderer();
    void onLoadingChanged(const QWebEngineLoadingInfo &loading);
    void runScript(const QString &script, std::function<void(const QVariant &)> done);
    void onWindowCloseRequested();
    void onRendererGone();
    void answerRead(quint64 reading, const QVariant &result);
    void applyZoom();
    bool wheelZoom(const QWheelEvent *wheel);

    UserDialogs &m_dialogs;
    SharedPrinter &m_printer;
    WebProfile *m_profile;
    QWebEngineView *m_engine = nullptr;
    WebPage *m_page = nullptr;
    bool m_busy = false;
    bool m_showsPage = false;
    QString m_homeAddress;
    int m_zoomPercent = 100;
    int m_wheelTurned = 0;
    QString m_noticeAddress;
    // The engine keeps a notice in its history under an address of its own making: the notices
    // of this view's history and the addresses they stand for, the newest last.
    QList<std::pair<QUrl, QString>> m_notices;
    QString m_noticeComing;
    std::function<QString()> m_dialogStopText;
    std::function<QString()> m_saveTitle;
    // What to do once the renderer of a page held by its own dialogs has been ended.
    std::function<void()> m_afterRestart;
    // The renderer process of the page last loaded, still known once it is gone.
    qint64 m_rendererPid = 0;
    bool m_pageNavigation = false;
    quint64 m_lastReading = 0;
    std::map<quint64, std::function<void(const QVariant &)>> m_pendingReads;
};
