#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class QPrinter;
class QWebEngineView;
class UserDialogs;
class WebPage;

// Which links of a document a reading keeps, compared on the lower-cased address: those that
// begin with one of the prefixes (any, when there are none) and contain none of the excluded
// texts, in document order, up to the limit (0: no limit).
struct LinkFilter
{
    QStringList prefixes;
    QStringList excluded;
    int limit = 0;
};

// One tab's web view: the operations and events the program uses of the web engine.
// The engine view (and its renderer process) is created at the first navigation.
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

    WebView(UserDialogs &dialogs, QPrinter &printer, QWidget *parent = nullptr);

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

    bool Busy() const { return m_busy; }
    QString LocationURL() const;
    QString LocationName() const;

    void setHomeAddress(const QString &address) { m_homeAddress = address; }
    bool hasEngine() const { return m_engine != nullptr; }
    QWebEngineView *engine() { return ensureEngine(); }

    // The document, read asynchronously in a world the page's own scripts cannot reach.
    // Each callback runs once, later, on the event loop; never when the view is gone.
    void readLinks(const LinkFilter &filter, std::function<void(const QStringList &hrefs)> done);
    void readReadyState(std::function<void(const QString &state)> done);
    void readMarkup(std::function<void(const QString &markup)> done);

signals:
    void StatusTextChange(const QString &text);
    void ProgressChange(int progress, int maximum);
    void TitleChange(const QString &text);
    void BeforeNavigate2(const QString &address);
    void DocumentComplete(const QString &address);
    void WindowClosing(bool isChildWindow, bool *cancel);

private:
    QWebEngineView *ensureEngine();
    void runScript(const QString &script, std::function<void(const QVariant &)> done);
    void printTo(QPrinter *printer);
    void saveAs();
    void onWindowCloseRequested();

    UserDialogs &m_dialogs;
    QPrinter &m_printer;
    QWebEngineView *m_engine = nullptr;
    WebPage *m_page = nullptr;
    bool m_busy = false;
    QString m_homeAddress;
};
