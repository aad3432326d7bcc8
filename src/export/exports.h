#pragma once

#include <QObject>
#include <functional>
#include <memory>

class DesktopShell;
class Dispatcher;
class DocumentExport;
class ExcelExport;
class ExportSupport;
class LibreOfficeEngine;
class MarkupView;
class OfficeEngine;
class PageSave;
class PictureCapture;
class QLabel;
class QWidget;
class ScreenCapture;
class SlideExport;
class TabSet;
class UserDialogs;
struct ProgramState;

// The export and capture commands of the main window, with the office engine they share.
class Exports : public QObject
{
    Q_OBJECT
public:
    // What the exports need of the main window.
    struct Window
    {
        QWidget *widget;
        QLabel *statusLine;
        std::function<void()> barsOff;
        std::function<void()> barsOn;
        std::function<void()> watchBars;
    };

    Exports(ProgramState &state, TabSet &tabs, UserDialogs &dialogs, DesktopShell &shell, const Window &window,
            QObject *parent = nullptr);
    ~Exports() override;

    // Gives "SAVE:WORDH", "SAVE:WORDV", "SAVE:PDF", "SAVE:EXCEL", "SAVE:PPT", "SAVE:HTML",
    // "EDIT:VIEW" and "EDIT:PICTURE" their commands.
    void registerCommands(Dispatcher &dispatcher);

    // The engine the exports use; the program's own LibreOffice engine unless another is given.
    void useOfficeEngine(OfficeEngine &engine);
    // An export or capture is under way.
    bool running() const;

private:
    ProgramState &m_state;
    std::unique_ptr<LibreOfficeEngine> m_office;
    ExportSupport *m_support;
    ScreenCapture *m_capture;
    DocumentExport *m_documents;
    ExcelExport *m_excel;
    SlideExport *m_slides;
    PictureCapture *m_pictures;
    PageSave *m_pageSave;
    MarkupView *m_markup;
};
