#pragma once

#include <QWebEngineUrlRequestInterceptor>

// What a page from the disk may load of the disk: the files saved with it, in the folder named
// after it ("page_files" beside "page.html"), as a saved complete page keeps its pictures; no
// other file, by no way (a picture, a frame, a request of its script). The engine would let such
// a page read every file of the user and send it out. Opening a file as the page itself (typed,
// a link table's or a bookmark's address, a link) stays free.
class LocalFileRule : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    // Whether a page at that address may load the file: the folder saved with it holds it.
    static bool allowed(const QUrl &file, const QUrl &page);
};
