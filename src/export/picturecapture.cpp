#include "picturecapture.h"

#include "core/programstate.h"
#include "core/textfile.h"
#include "exportnames.h"
#include "exportsupport.h"
#include "filereplacement.h"
#include "screencapture.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPointer>

PictureCapture::PictureCapture(ExportSupport &support, ScreenCapture &capture, std::function<void()> watchBars,
                               QObject *parent)
    : QObject(parent), m_(support), m_capture(capture), m_watchBars(std::move(watchBars))
{
}

void PictureCapture::Take_Pic()
{
    if (!m_.begin(ExportSupport::capturingCaption, "Taking a picture of the screen...", false))
        return;
    QPointer<PictureCapture> self(this);
    m_capture.Load_ClipBoard([self](const QPixmap &picture) {
        if (self)
            self->save(picture);
    });
}

void PictureCapture::save(const QPixmap &picture)
{
    ProgramState &state = m_.state();
    if (state.floatingBar == 1)
        m_watchBars();
    if (picture.isNull())
        return m_.finish(m_.caption(noPictureCaption, "The picture of the screen could not be taken."));

    const QString folder = state.appFolder.path(QStringLiteral("\\Images"));
    if (!QDir().mkpath(folder))
        return m_.failed(WriteResult::failure(folder, QObject::tr("the folder could not be created")));
    const auto fileOf = [&state](int number) {
        return state.appFolder.path(QString(QStringLiteral("\\Images\\") + ExportNames::capture(number)));
    };
    const int number = ExportNames::freeCapture(state.captureCount,
                                                [&fileOf](int n) { return QFile::exists(fileOf(n)); });
    const QString path = fileOf(number);
    FileReplacement file(path);
    if (const WriteResult reserved = file.prepare(); !reserved.ok())
        return m_.failed(reserved);
    if (!picture.save(file.temporaryPath(), "BMP"))
        return m_.failed(WriteResult::failure(path, QObject::tr("the bitmap could not be written")));
    if (const WriteResult placed = file.commit(); !placed.ok())
        return m_.failed(placed);
    state.captureCount = static_cast<qint16>(std::min(number + 1, 32767));
    m_.finish(m_.caption(capturedCaption, "Screen captured to") + QStringLiteral(": ") + path);
}
