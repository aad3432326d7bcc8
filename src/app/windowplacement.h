#pragma once

#include <QRect>
#include <QRectF>

class QWidget;
struct ProgramState;

// Where the main window stands: its saved place, kept on a screen that is there, and the whole
// screen on request. Sizes go to and from the window settings file in twips.
namespace WindowPlacement {

QRectF screenTwips();
QRectF windowTwips(const QWidget &window);
// Full screen, or the saved geometry brought back onto the screens there are.
void placeFromSettings(QWidget &window, const ProgramState &state);
// A window saved on a screen that is no longer there comes back onto the primary screen.
QRect keptOnScreen(const QRect &window);
// Only a window that is neither maximised, minimised nor full screen is resized.
void fillScreen(QWidget &window);

} // namespace WindowPlacement
