#include "slideexport.h"

#include "core/programstate.h"
#include "core/textfile.h"
#include "exportsupport.h"
#include "picturecapture.h"
#include "screencapture.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>

SlideExport::SlideExport(ExportSupport &support, ScreenCapture &capture, QObject *parent)
    : QObject(parent), m_(support), m_capture(capture)
{
}

void SlideExport::SaveAsP()
{
    // The window keeps its look: it is in the picture.
    if (!m_.begin(ExportSupport::capturingCaption, "Taking a picture of the screen...", false))
        return;
    QGuiApplication::clipboard()->clear();
    m_.state().layoutFrozen = 1;
    const QString fileName = m_.chooseFile(commandCaption, QStringLiteral(".ppt"), filter, QStringLiteral("PPTDocument"));
    if (fileName.isEmpty()) {
        m_.state().layoutFrozen = 0;
        return m_.finish();
    }
    m_.office().prepare();
    QPointer<SlideExport> self(this);
    m_capture.Load_ClipBoard([self, fileName](const QPixmap &picture) {
        if (self)
            self->write(fileName, picture);
    });
}

void SlideExport::write(const QString &fileName, const QPixmap &picture)
{
    m_.state().layoutFrozen = 0;
    if (picture.isNull())
        return m_.finish(m_.caption(PictureCapture::noPictureCaption, "The picture of the screen could not be taken."));
    const QString picturePath = m_.workFile(QStringLiteral("screen.png"));
    if (!picture.save(picturePath, "PNG"))
        return m_.failed(WriteResult::failure(picturePath, QObject::tr("the picture could not be written")));
    // An empty file is a new presentation: its first slide is the picture.
    const QString existing = QFileInfo(fileName).size() > 0 ? fileName : QString();
    ExportSupport &support = m_;
    support.writeFiles(
        {fileName}, existing,
        [&support, existing, picturePath](const QStringList &temporaryPaths, OfficeEngine::Done done) {
            support.office().appendSlide(existing, picturePath, temporaryPaths.first(), std::move(done));
        },
        [&support, fileName](const OfficeEngine::Reply &reply) {
            support.finish(support.caption(slideCaption, "Slide") + u' ' + QString::number(reply.slides) + u' '
                           + support.caption(addedCaption, "added to") + u'\n' + fileName);
        });
}
