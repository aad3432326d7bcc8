#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// The alert, confirm and prompt boxes of one page. A box is not modal: the program's own commands
// (Exit, Back, another address, travel) stay usable while it is open, and the page waits for the
// answer. From the second box of a page in a short time on, the box offers to stop the page's
// boxes; a stopped page gets "cancel" at once until it leaves for another site.
class PageDialogs
{
public:
    // Two boxes this close together count as a page repeating itself.
    static constexpr int repeatMs = 10000;

    enum class Kind { Alert, Confirm, Prompt };
    struct Answer
    {
        bool accepted = false;
        QString text;
    };

    // stopText gives the caption of the button that stops the page's boxes, in the language shown.
    void setStopText(std::function<QString()> stopText) { m_stopText = std::move(stopText); }

    // Shows the box over the owner's window and waits, the event loop running, for its answer.
    // Without a shown window nobody can answer: the page gets "cancel" at once.
    Answer ask(QWidget *owner, Kind kind, const QString &origin, const QString &text,
               const QString &defaultText = QString());
    // Whether the page may be asking in a loop: its boxes were stopped, or a repeated box is open.
    // Such a page may never let its renderer take another document.
    bool holdsPage() const;
    // The page is leaving its document: an open box is answered "cancel". Stopped boxes stay
    // stopped while the page stays on the same site.
    void pageLeft(bool sameSite);

private:
    std::function<QString()> m_stopText = [] { return QStringLiteral("Stop this page's dialogs"); };
    QPointer<QDialog> m_open;
    QElapsedTimer m_lastAnswer;
    bool m_openRepeated = false;
    bool m_stopped = false;
};
