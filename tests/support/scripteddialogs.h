#pragma once

#include "platform/desktopshell.h"
#include "platform/userdialogs.h"

#include <QStringList>

// Answers the program's questions without a window and records every text shown.
class ScriptedDialogs : public UserDialogs
{
public:
    void message(const QString &text, Icon icon) override
    {
        messages.append(text);
        icons.append(icon);
    }
    // Questions take the preset answers in turn, then their default.
    bool question(const QString &text, Default answer = Default::Yes) override
    {
        questions.append(text);
        return questionAnswers.isEmpty() ? answer == Default::Yes : questionAnswers.takeFirst();
    }
    // Choices take the preset answers in turn, then the last choice (Escape's).
    int choose(const QString &text, const QStringList &choices) override
    {
        questions.append(text);
        offered.append(choices);
        return chosen.isEmpty() ? int(choices.size() - 1) : chosen.takeFirst();
    }
    // Text inputs take the preset answers in turn, then the empty text of a cancel.
    QString textInput(const QString &title, const QString &prompt) override
    {
        inputTitles.append(title);
        inputPrompts.append(prompt);
        return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
    }
    QString saveFileName(const QString &title, const QString &suggested, const QString &,
                         Existing = Existing::Replace) override
    {
        fileDialogTitles.append(title);
        suggestedNames.append(suggested);
        return saveAnswer;
    }
    QString openFileName(const QString &title, const QString &filter) override
    {
        fileDialogTitles.append(title);
        openFilters.append(filter);
        return openAnswer;
    }
    // The printing dialogs are cancelled; each records its name.
    bool choosePrinter(QPrinter &) override
    {
        printing.append("printer");
        return false;
    }
    bool pageSetup(QPrinter &) override
    {
        printing.append("page setup");
        return false;
    }
    void printPreview(QPrinter &, const std::function<void(QPrinter *)> &) override { printing.append("preview"); }

    QStringList messages;
    QList<Icon> icons;
    QStringList fileDialogTitles;
    QStringList suggestedNames;
    QString saveAnswer;
    QStringList openFilters;
    QString openAnswer;
    QStringList questions;
    QList<bool> questionAnswers;
    QList<QStringList> offered;
    QList<int> chosen;
    QStringList inputTitles;
    QStringList inputPrompts;
    QStringList textAnswers;
    QStringList printing;
};

// Records what the program hands to the desktop.
class RecordingShell : public DesktopShell
{
public:
    bool open(const QString &target, const QString &verb) override
    {
        targets.append(target);
        verbs.append(verb);
        return handsOver;
    }
    QStringList targets;
    QStringList verbs;
    // False: the desktop has nothing to open what it is given with.
    bool handsOver = true;
};
