#pragma once

#include <QString>

class QWebEngineDownloadRequest;

// Why the web engine could not save a download or a page, in words. The engine's own words exist
// only for the reasons its interface names; for another (a page save refused by a read-only
// folder ends as "user shutdown") asking it for them crashes the program.
QString downloadFailureReason(const QWebEngineDownloadRequest &download);
