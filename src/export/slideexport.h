#pragma once

#include <QObject>

class ExportSupport;
class QPixmap;
class ScreenCapture;

// "SAVE:PPT": a picture of the screen added as a new slide at the end of the chosen
// presentation, which is created when missing; the message tells the slide's number.
class SlideExport : public QObject
{
    Q_OBJECT
public:
    static constexpr int slideCaption = 216;
    static constexpr int addedCaption = 217;
    // The command's own caption titles the save dialog.
    static constexpr int commandCaption = 149;
    static inline const QString filter = QStringLiteral("Microsoft Powerpoint(*.ppt)");

    SlideExport(ExportSupport &support, ScreenCapture &capture, QObject *parent = nullptr);

    void SaveAsP();

private:
    void write(const QString &fileName, const QPixmap &picture);

    ExportSupport &m_;
    ScreenCapture &m_capture;
};
