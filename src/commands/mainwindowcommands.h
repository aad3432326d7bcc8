#pragma once

#include <QString>

// What the commands ask of the main window itself.
class MainWindowCommands
{
public:
    virtual ~MainWindowCommands() = default;
    virtual void GO_Exit() = 0;
    virtual void minimizeWindow() = 0;
    // Draws the three command bars in the look of barStyle.
    virtual void applyBarStyle() = 0;
    // Floating mode on: the bars hide and the watcher shows them near the top edge.
    virtual void setFloatingBar(bool on) = 0;
    virtual void showFindBar() = 0;
    virtual void menuShown() = 0;
    virtual void menuClosed() = 0;
    // Shows a short text in the status line.
    virtual void showStatus(const QString &text) = 0;
};
