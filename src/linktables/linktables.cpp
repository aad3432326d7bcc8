#include "linktables.h"

#include "browsing/navigator.h"
#include "core/programstate.h"
#include "frmtab.h"
#include "linkindex.h"
#include "platform/userdialogs.h"

#include <QComboBox>

LinkTables::LinkTables(ProgramState &state, UserDialogs &dialogs,
                       const CommandCatalogue &catalogue, Navigator &navigator, QComboBox *addressBox, QWidget *window)
    : m_state(state), m_dialogs(dialogs), m_catalogue(catalogue), m_navigator(navigator),
      m_addressBox(addressBox), m_window(window)
{
}

void LinkTables::Load_Index()
{
    if (const WriteResult loaded = LinkIndex::Load_Index(m_state); !loaded.ok())
        m_dialogs.message(m_state.caption(frmTab::indexNotSavedCaption, "The table titles could not be saved:") %
                          u'\n' % loaded.message());
}

void LinkTables::Open_Tables()
{
    m_state.chosenAddress.clear();
    {
        frmTab window(m_state, m_dialogs, m_catalogue, m_addressBox->currentText(), m_window);
        window.exec();
    }
    if (!m_state.chosenAddress.isEmpty()) {
        m_addressBox->setEditText(m_state.chosenAddress);
        m_navigator.GoNavigate(0);
    }
}
