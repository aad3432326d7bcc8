#pragma once

#include <QHash>
#include <QObject>

class QLabel;
class QProgressBar;
class QWebEngineDownloadRequest;
class UserDialogs;
struct ProgramState;

// The files the engine does not show. A download the user started (a click or a key in the page
// just before, or an address the user gave) is saved where the user chooses (a file already there
// is replaced only when the user says so), with its progress and its end in the status strip;
// one the user did not start (a page's script, a travel step) is refused and the status line says
// so. The program's own page saves go through untouched.
class DownloadHandler : public QObject
{
    Q_OBJECT
public:
    static constexpr int refusedCaption = 249;
    static constexpr int savedCaption = 250;
    static constexpr int failedCaption = 251;
    static constexpr int unwritableCaption = 280;
    static constexpr int replaceCaption = 443;
    static constexpr int saveDownloadCaption = 471;

    DownloadHandler(ProgramState &state, UserDialogs &dialogs, QLabel *statusBar, QProgressBar *progressBar,
                    QObject *parent = nullptr);

    void handle(QWebEngineDownloadRequest *download);

private:
    void follow(QWebEngineDownloadRequest *download, const QString &path);
    void showProgress(QWebEngineDownloadRequest *download);
    void finish(QWebEngineDownloadRequest *download, const QString &path);
    void showPageTitle();
    QString failure(const QString &path, const QString &reason) const;

    // The user's downloads under way, by the engine's number, with the path chosen: the engine
    // asks again when it resumes one after a broken connection, and that stays the user's.
    QHash<quint32, QString> m_following;
    ProgramState &m_state;
    UserDialogs &m_dialogs;
    QLabel *m_statusBar;
    QProgressBar *m_progressBar;
};
