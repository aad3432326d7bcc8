#pragma once

#include "answerlimit.h"
#include "picturefetch.h"
#include "webattend.h"

#include <QByteArrayList>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <algorithm>
#include <functional>

class WebView;

// The document's body of a view, once the page has finished loading, as the office gets it:
// what the page shows, its form fields as text, in markup that names nothing to fetch but its
// own pictures and links to web addresses; its pictures taken from what the page shows (so with
// the page's cookies, never fetched again and never read from the disk), and its text. The
// page's focus, selection and the clipboard are left alone, and none of its code runs.
class PageCopy : public QObject
{
    Q_OBJECT
public:
    struct Copied
    {
        // The body's markup; picture n is "picture<n>.png" beside it (none for an empty one).
        QString html;
        QString text;
        QByteArrayList pictures;
        // False when the page did not answer within the answer limit (its script is busy).
        bool answered = true;
        bool empty() const
        {
            return text.trimmed().isEmpty()
                   && std::all_of(pictures.begin(), pictures.end(), [](const QByteArray &p) { return p.isEmpty(); });
        }
    };

    explicit PageCopy(QObject *parent = nullptr);

    // done runs once, later, with the copy (empty when the page gave nothing or did not answer).
    void run(WebView *view, std::function<void(const Copied &)> done);

    static QString pictureName(qsizetype number);

private:
    void copy();
    void silent();
    void read(const QJsonObject &answer, const std::function<void(const Copied &)> &finish);

    WebAttend m_attend;
    AnswerLimit m_answer;
    PictureFetch m_fetch;
    QPointer<WebView> m_view;
    std::function<void(const Copied &)> m_done;
};
