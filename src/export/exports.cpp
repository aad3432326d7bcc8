#include "exports.h"

#include "commands/commandbars.h"
#include "commands/dispatcher.h"
#include "core/programstate.h"
#include "documentexport.h"
#include "excelexport.h"
#include "exportsupport.h"
#include "markupview.h"
#include "pagesave.h"
#include "picturecapture.h"
#include "platform/libreofficeengine.h"
#include "screencapture.h"
#include "slideexport.h"

Exports::Exports(ProgramState &state, TabSet &tabs, UserDialogs &dialogs, DesktopShell &shell, const Window &window,
                 QObject *parent)
    : QObject(parent), m_state(state), m_office(std::make_unique<LibreOfficeEngine>()),
      m_support(new ExportSupport(state, tabs, dialogs, shell, window.widget, window.statusLine, this)),
      m_capture(new ScreenCapture(window.widget, window.barsOff, window.barsOn, this)),
      m_documents(new DocumentExport(*m_support, this)), m_excel(new ExcelExport(*m_support, this)),
      m_slides(new SlideExport(*m_support, *m_capture, this)),
      m_pictures(new PictureCapture(*m_support, *m_capture, window.watchBars, this)),
      m_pageSave(new PageSave(*m_support, this)), m_markup(new MarkupView(*m_support, this))
{
    m_office->setOwnFolder(state.appFolder.path(QStringLiteral("\\Office")));
    m_support->setOffice(*m_office);
}

Exports::~Exports() = default;

void Exports::useOfficeEngine(OfficeEngine &engine) { m_support->setOffice(engine); }

bool Exports::running() const { return m_support->indicator().running(); }

void Exports::registerCommands(Dispatcher &dispatcher)
{
    const int menus = CommandBars::menuInstance;
    const auto word = [this](qint16 layout) {
        return [this, layout] {
            m_state.wordLayout = layout;
            m_documents->SaveAsW();
        };
    };
    dispatcher.setCommand(menus, QStringLiteral("SAVE:WORDH"), word(0));
    dispatcher.setCommand(menus, QStringLiteral("SAVE:WORDV"), word(1));
    dispatcher.setCommand(menus, QStringLiteral("SAVE:PDF"), [this] {
        m_state.wordLayout = 0;
        m_documents->SaveAsF();
    });
    dispatcher.setCommand(menus, QStringLiteral("SAVE:EXCEL"), [this] { m_excel->SaveAsE(); });
    dispatcher.setCommand(menus, QStringLiteral("SAVE:PPT"), [this] { m_slides->SaveAsP(); });
    dispatcher.setCommand(menus, QStringLiteral("SAVE:HTML"), [this] { m_pageSave->save(); });
    dispatcher.setCommand(menus, QStringLiteral("EDIT:VIEW"), [this] { m_markup->show(); });
    dispatcher.setCommand(menus, QStringLiteral("EDIT:PICTURE"), [this] { m_pictures->Take_Pic(); });
}
