#pragma once

#include <QString>
#include <QStringBuilder>
#include <QStringList>
#include <cstdio>
#include <functional>

class QPrinter;

// The modal questions the program asks the user. The desktop answers them through Qt's
// dialogs; tests install a scripted implementation.
class UserDialogs
{
public:
    enum class Icon { Information, Critical };

    virtual ~UserDialogs() = default;

    // A message box titled "TamzoTravel" with an OK button.
    virtual void message(const QString &text, Icon icon = Icon::Information) = 0;
    // A message while someone attends the program; at an ending nobody attends (a signal, the end
    // of the desktop session), a line on standard error.
    void tell(const QString &text, bool attended, Icon icon = Icon::Information)
    {
        if (attended)
            message(text, icon);
        else
            std::fputs(qPrintable(u"TamzoTravel: " % text % u'\n'), stderr);
    }

    // The answer Enter gives: no for a question whose yes destroys or gives something away.
    enum class Default { Yes, No };
    // A yes/no question titled "TamzoTravel" with the question icon; true for yes.
    virtual bool question(const QString &text, Default answer = Default::Yes) = 0;

    // A question titled "TamzoTravel" answered by one of several buttons; the last changes
    // nothing, and Enter and Escape give it. The index of the button chosen.
    virtual int choose(const QString &text, const QStringList &choices) = 0;

    // One line of text typed by the user; empty when the user cancelled.
    virtual QString textInput(const QString &title, const QString &prompt) = 0;

    // What a save dialog does when the name chosen is taken.
    enum class Existing { Replace, Ask };
    // The file name chosen in a save dialog titled after the command that asks (the program's
    // name when the title is empty); empty when the user cancelled.
    virtual QString saveFileName(const QString &title, const QString &suggested, const QString &filter,
                                 Existing existing = Existing::Replace) = 0;
    // The existing file chosen in an open dialog titled the same way; empty when the user cancelled.
    virtual QString openFileName(const QString &title, const QString &filter) = 0;

    // Printing: the printer dialog, the page set-up dialog and the preview window.
    virtual bool choosePrinter(QPrinter &printer) = 0;
    virtual bool pageSetup(QPrinter &printer) = 0;
    virtual void printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) = 0;
};
