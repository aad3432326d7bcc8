#include "pagecopy.h"

#include "browsing/enginecookies.h"
#include "browsing/webview.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

// The script that reads the body, with what it keeps and why.
static QString bodyCopy()
{
    static const QString script = [] {
        QFile file(QStringLiteral(":/export/pagecopy.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return script;
}

PageCopy::PageCopy(QObject *parent) : QObject(parent), m_attend(this), m_answer(this) {}

QString PageCopy::pictureName(qsizetype number) { return QStringLiteral("picture%1.png").arg(number); }

void PageCopy::run(WebView *view, std::function<void(const Copied &)> done)
{
    m_view = view;
    m_done = std::move(done);
    m_attend.start(view, [this](WebAttend::Result result) {
        if (result == WebAttend::Result::Silent)
            return silent();
        copy();
    });
}

void PageCopy::copy()
{
    const auto finish = [this](const Copied &copied) {
        if (const auto done = std::exchange(m_done, nullptr))
            done(copied);
    };
    if (!m_view)
        return finish({});
    QPointer<PageCopy> self(this);
    const quint64 wait = m_answer.await([self] {
        if (self)
            self->silent();
    });
    m_view->readDocument(bodyCopy(), [self, wait, finish](const QVariant &result) {
        if (self && self->m_answer.answered(wait))
            self->read(QJsonDocument::fromJson(result.toString().toUtf8()).object(), finish);
    });
}

void PageCopy::silent()
{
    Copied nothing;
    nothing.answered = false;
    if (const auto done = std::exchange(m_done, nullptr))
        done(nothing);
}

void PageCopy::read(const QJsonObject &answer, const std::function<void(const Copied &)> &finish)
{
    Copied copied{answer.value(u"html").toString(), answer.value(u"text").toString(), {}};
    // The pictures still to be asked for: their place in the list, their markup and its stand-in.
    QList<QUrl> far;
    QList<qsizetype> places;
    QStringList markups, alternatives;
    for (const QJsonValue picture : answer.value(u"pictures").toArray()) {
        if (picture.isString()) {
            copied.pictures.append(QByteArray::fromBase64(picture.toString().toLatin1()));
            continue;
        }
        far.append(QUrl(picture[u"url"].toString()));
        places.append(copied.pictures.size());
        markups.append(picture[u"markup"].toString());
        alternatives.append(picture[u"alt"].toString());
        copied.pictures.append(QByteArray());
    }
    if (far.isEmpty() || !m_view)
        return finish(copied);
    QWebEngineProfile *profile = m_view->engine()->page()->profile();
    m_fetch.run(far, QUrl(m_view->LocationURL()), *EngineCookies::of(profile),
                [copied, places, markups, alternatives, finish](const QByteArrayList &fetched) mutable {
                    for (qsizetype n = 0; n < fetched.size(); ++n) {
                        if (fetched[n].isEmpty())
                            copied.html.replace(markups[n], alternatives[n]);
                        else
                            copied.pictures[places[n]] = fetched[n];
                    }
                    finish(copied);
                });
}
