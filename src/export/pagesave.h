#pragma once

#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <memory>

class ExportSupport;
class FileReplacement;

// "SAVE:HTML": the active page saved by the web engine as a web archive or a complete page,
// under the name chosen in the save dialog; the message names the file actually written.
class PageSave : public QObject
{
    Q_OBJECT
public:
    static constexpr int limitMs = 60000;
    static inline const QString filter = QStringLiteral("Web archive (*.mhtml *.mht);;Web page, complete (*.html *.htm)");

    explicit PageSave(ExportSupport &support, QObject *parent = nullptr);
    ~PageSave() override;

    void save();

private:
    void done(bool ok, const QString &reason);

    ExportSupport &m_;
    QString m_path;
    // A web archive is one file, written beside its name and put in place when whole.
    std::unique_ptr<FileReplacement> m_archive;
    QMetaObject::Connection m_watch;
    QTimer m_limit;
};
