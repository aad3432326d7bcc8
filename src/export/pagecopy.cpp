#include "pagecopy.h"

#include "browsing/enginecookies.h"
#include "browsing/webview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

// Runs in the program's own world over the live document: a clone of the body, cleaned, with
// each picture drawn from the page's own decoded image. A picture from another site that does
// not allow it to be read is listed by address, with its markup in the copy and the
// alternative text that takes its place should it not come; one the page has not shown (not
// loaded or failed) is left out and its alternative text stays. Pictures are drawn off screen
// and handed whole to a bitmap canvas: the first drawing on a page's own 2D canvas costs tens
// of milliseconds, this way a picture takes well under one.
static const QString bodyCopy = QStringLiteral(R"JS(
(function () {
  var body = document.body;
  if (!body) return '{}';
  var copy = body.cloneNode(true);
  var shown = body.querySelectorAll('*'), cloned = copy.querySelectorAll('*');
  var hidden = [];
  for (var i = 0; i < shown.length; ++i) {
    var style = getComputedStyle(shown[i]);
    if (style.display === 'none' || style.visibility === 'hidden') hidden.push(cloned[i]);
  }
  function pictureData(image) {
    if (!image.complete || !image.naturalWidth) return '';
    try {
      var drawn = new OffscreenCanvas(image.naturalWidth, image.naturalHeight);
      drawn.getContext('2d').drawImage(image, 0, 0);
      var canvas = document.createElement('canvas');
      canvas.width = drawn.width;
      canvas.height = drawn.height;
      canvas.getContext('bitmaprenderer').transferFromImageBitmap(drawn.transferToImageBitmap());
      return canvas.toDataURL('image/png');
    } catch (e) {
      return '';
    }
  }
  var pictures = [];
  var images = body.getElementsByTagName('img'), copies = copy.getElementsByTagName('img');
  var kept = [];
  for (var n = 0; n < images.length; ++n) {
    var image = images[n];
    var data = pictureData(image), shownUnread = !data && image.complete && image.naturalWidth > 0;
    kept.push({copy: copies[n], data: data, far: shownUnread ? image.currentSrc : '', width: image.width,
               height: image.height, alt: image.alt || ''});
  }
  hidden.forEach(function (element) { element.remove(); });
  kept.forEach(function (picture) {
    var element = picture.copy;
    if (!copy.contains(element)) return;
    if (!picture.data && !picture.far) { element.replaceWith(document.createTextNode(picture.alt)); return; }
    ['srcset', 'sizes', 'loading', 'crossorigin', 'usemap'].forEach(function (name) { element.removeAttribute(name); });
    element.setAttribute('src', 'picture' + pictures.length + '.png');
    element.setAttribute('width', picture.width);
    element.setAttribute('height', picture.height);
    pictures.push(picture.data ? picture.data.substring(picture.data.indexOf(',') + 1)
                               : {url: picture.far, element: element, alt: picture.alt});
  });
  copy.querySelectorAll('script, noscript, style, link, meta, base, template, iframe, frame, frameset, object, '
      + 'embed, applet, video, audio, source, track, canvas, input, select, textarea, button, image, use')
      .forEach(function (element) { element.remove(); });
  copy.querySelectorAll('*').forEach(function (element) {
    for (var a = element.attributes.length - 1; a >= 0; --a) {
      var name = element.attributes[a].name.toLowerCase(), value = element.attributes[a].value;
      if (name === 'background' || name === 'href' && element.localName !== 'a' || name.indexOf('on') === 0
          || name === 'style' && /url\s*\(/i.test(value) || name === 'xlink:href' || name === 'poster')
        element.removeAttribute(element.attributes[a].name);
    }
  });
  var text = document.createElement('div');
  pictures = pictures.map(function (picture) {
    if (typeof picture === 'string') return picture;
    text.textContent = picture.alt;
    return {url: picture.url, markup: picture.element.outerHTML, alt: text.innerHTML};
  });
  return JSON.stringify({html: copy.innerHTML, text: body.innerText, pictures: pictures});
})()
)JS");

PageCopy::PageCopy(QObject *parent) : QObject(parent) {}

QString PageCopy::pictureName(qsizetype number) { return QStringLiteral("picture%1.png").arg(number); }

void PageCopy::run(WebView *view, std::function<void(const Copied &)> done)
{
    m_view = view;
    m_done = std::move(done);
    m_attend.start(view, [this](bool) { copy(); });
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
    m_view->readDocument(bodyCopy, [self, finish](const QVariant &result) {
        if (self)
            self->read(QJsonDocument::fromJson(result.toString().toUtf8()).object(), finish);
    });
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
