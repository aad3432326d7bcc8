#include "downloadfailure.h"

#include <QMetaEnum>
#include <QObject>
#include <QWebEngineDownloadRequest>

QString downloadFailureReason(const QWebEngineDownloadRequest &download)
{
    const auto named = QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>();
    if (!named.valueToKey(download.interruptReason()))
        return QObject::tr("the web engine could not write the file");
    return download.interruptReasonString();
}
