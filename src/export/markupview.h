#pragma once

#include "answerlimit.h"

#include <QObject>

class ExportSupport;

// "EDIT:VIEW": the markup of the active page written to Doc.Txt in the application folder and
// handed to the desktop's text viewer. The file is deleted at shutdown.
class MarkupView : public QObject
{
    Q_OBJECT
public:
    explicit MarkupView(ExportSupport &support, QObject *parent = nullptr);

    void show();

private:
    void write(const QString &markup);

    ExportSupport &m_;
    AnswerLimit m_answer;
};
