#pragma once

#include <QObject>

class QWidget;
class TabSet;
class WebView;

// The main window's title, as the taskbar and the window switcher show it: the page title of the
// active tab followed by " - TamzoTravel". A minimised window keeps the title it was given.
class WindowTitle : public QObject
{
    Q_OBJECT
public:
    WindowTitle(QWidget *window, TabSet &tabs);

    void refresh();

private:
    void attach(WebView *view);

    QWidget *m_window;
    TabSet &m_tabs;
};
