#pragma once

#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

class ExportSupport;
class QWebEngineDownloadRequest;

// "SAVE:HTML": the active page saved by the web engine as a web archive or a complete page,
// under the name chosen in the save dialog; the message names the file actually written. The
// engine writes into a folder of its own beside the chosen name, and the page is moved over
// that name only when complete, so a save that fails or runs out of time leaves an earlier file
// whole. A complete page's folder already there is replaced only when the user says so, and only
// once the new page is in place; a link in its place is replaced as a link, never followed.
class PageSave : public QObject
{
    Q_OBJECT
public:
    static constexpr int limitMs = 60000;
    static constexpr int replaceFolderCaption = 442;
    // The command's own caption titles the save dialog.
    static constexpr int commandCaption = 145;
    static inline const QString filter = QStringLiteral("Web archive (*.mhtml *.mht);;Web page, complete (*.html *.htm)");

    explicit PageSave(ExportSupport &support, QObject *parent = nullptr);

    void save();

public slots:
    // The time limit has passed: the engine's save is cancelled and the export fails.
    void timeLimitReached();

private:
    void watch(QWebEngineDownloadRequest *download);
    void done(bool ok, const QString &reason);
    QString place();

    ExportSupport &m_;
    QString m_path;
    // Where the engine writes this save; gone (with whatever is in it) when the save ends.
    std::unique_ptr<QTemporaryDir> m_writing;
    QPointer<QWebEngineDownloadRequest> m_download;
    QTimer m_limit;
};
