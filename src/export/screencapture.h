#pragma once

#include <QObject>
#include <QPixmap>
#include <functional>

// Load_ClipBoard: a picture of the whole screen taken with the main window's top bar and status
// strip hidden, put on the clipboard. The pause that lets the window redraw does not block it.
class ScreenCapture : public QObject
{
    Q_OBJECT
public:
    static constexpr int redrawMs = 400;

    // barsOff hides the top bar and the status strip; barsOn shows them again.
    ScreenCapture(QWidget *window, std::function<void()> barsOff, std::function<void()> barsOn,
                  QObject *parent = nullptr);

    // done runs once, later, with the picture (a null one when the screen gave none).
    void Load_ClipBoard(std::function<void(const QPixmap &)> done);

private:
    QWidget *m_window;
    std::function<void()> m_barsOff;
    std::function<void()> m_barsOn;
};
