#pragma once

#include <QWidget>

class QWebEngineView;

// One of the program's own documents (the link-table help) in a window of its own, shown by the
// engine's viewer. The window belongs to the window that asked for it: the desktop keeps it above
// that one, a modal owner does not block it, and it goes when its owner goes.
class DocumentWindow : public QWidget
{
    Q_OBJECT
public:
    // Shows the file in the owner's document window, made at the first call, and brings it up.
    static DocumentWindow *showDocument(const QString &file, QWidget *owner);

    QWebEngineView *view() const { return m_view; }

private:
    explicit DocumentWindow(QWidget *owner);

    QWebEngineView *m_view;
};
