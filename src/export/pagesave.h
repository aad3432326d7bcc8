#pragma once

#include <QMetaObject>
#include <QObject>
#include <QTimer>

class ExportSupport;

// "SAVE:HTML": the active page saved by the web engine as a web archive or a complete page,
// under the name chosen in the save dialog; the message names the file actually written.
class PageSave : public QObject
{
    Q_OBJECT
public:
    static constexpr int limitMs = 60000;
    static inline const QString filter = QStringLiteral("Web archive (*.mhtml *.mht);;Web page, complete (*.html *.htm)");

    explicit PageSave(ExportSupport &support, QObject *parent = nullptr);

    void save();

private:
    void done(bool ok, const QString &reason);

    ExportSupport &m_;
    QString m_path;
    QMetaObject::Connection m_watch;
    QTimer m_limit;
};
