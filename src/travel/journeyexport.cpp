#include "journeyexport.h"

#include "core/programstate.h"
#include "core/textfile.h"
#include "core/writefailure.h"
#include "graphvizrun.h"
#include "platform/userdialogs.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>

namespace {

// A PNG of a long journey stays an image viewers open and memory holds.
constexpr double pngScale = 2.0, pngSideLimit = 16000, pngPixelLimit = 25e6;

} // namespace

JourneyExport::JourneyExport(ProgramState &state, UserDialogs &dialogs, QObject *parent)
    : QObject(parent), m_state(state), m_dialogs(dialogs)
{
}

JourneyExport::~JourneyExport() = default;

void JourneyExport::report(const WriteResult &result)
{
    if (!result.ok())
        m_dialogs.message(writeFailureText(m_state, result));
}

void JourneyExport::saveSvg(const QString &path, const QByteArray &dot)
{
    m_drawing = std::make_unique<GraphvizRun>(QStringLiteral("neato"), QStringList{QStringLiteral("-n2"), QStringLiteral("-Tsvg")},
                                              dot, drawingLimitMs);
    const auto done = [this] {
        m_drawing.release()->deleteLater();
        emit svgDone();
    };
    connect(m_drawing.get(), &GraphvizRun::finished, this, [this, path, done](const QByteArray &svg) {
        done();
        report(TextFile::writeBytes(path, svg));
    });
    connect(m_drawing.get(), &GraphvizRun::failed, this, [this, path, done](GraphvizRun::Failure, const QString &detail) {
        done();
        m_dialogs.message(m_state.caption(notDrawnCaption, "The picture could not be drawn as SVG:") % u'\n' % path %
                          u'\n' % detail);
    });
}

void JourneyExport::savePng(const QString &path, QGraphicsScene &scene)
{
    const QRectF area = scene.sceneRect();
    const double width = std::max(area.width(), 1.0), height = std::max(area.height(), 1.0);
    const double scale = std::min({pngScale, pngSideLimit / std::max(width, height), std::sqrt(pngPixelLimit / (width * height))});
    QImage image((area.size() * scale).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(image.rect()), area);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        png.clear();
    report(png.isEmpty() ? WriteResult::failure(path, QStringLiteral("the image could not be made")) :
                           TextFile::writeBytes(path, png));
}
