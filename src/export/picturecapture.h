#pragma once

#include <QObject>
#include <functional>

class ExportSupport;
class QPixmap;
class ScreenCapture;

// Take_Pic ("EDIT:PICTURE"): the screen saved as a bitmap Images/Tamzo<NNN>.bmp under the first
// number from captureCount on that no earlier capture uses.
class PictureCapture : public QObject
{
    Q_OBJECT
public:
    static constexpr int capturedCaption = 192;
    static constexpr int noPictureCaption = 262;

    // watchBars re-enables the floating bar's watcher.
    PictureCapture(ExportSupport &support, ScreenCapture &capture, std::function<void()> watchBars,
                   QObject *parent = nullptr);

    void Take_Pic();

private:
    void save(const QPixmap &picture);

    ExportSupport &m_;
    ScreenCapture &m_capture;
    std::function<void()> m_watchBars;
};
