#pragma once

#include "userdialogs.h"

class QtUserDialogs : public UserDialogs
{
public:
    void message(const QString &text, Icon icon) override;
    bool question(const QString &text, Default answer = Default::Yes) override;
    int choose(const QString &text, const QStringList &choices) override;
    QString textInput(const QString &title, const QString &prompt) override;
    QString saveFileName(const QString &title, const QString &suggested, const QString &filter,
                         Existing existing = Existing::Replace) override;
    QString openFileName(const QString &title, const QString &filter) override;
    bool choosePrinter(QPrinter &printer) override;
    bool pageSetup(QPrinter &printer) override;
    void printPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) override;
};
