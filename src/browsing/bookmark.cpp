#include "bookmark.h"

#include "core/linebreaks.h"
#include "core/programstate.h"
#include "tabset.h"
#include "webview.h"

#include <QComboBox>

Bookmark::Bookmark(ProgramState &state, TabSet &tabs, QComboBox *addressBox)
    : m_state(state), m_tabs(tabs), m_addressBox(addressBox)
{
}

WriteResult Bookmark::Save_BookMark() const
{
    return TextFile::writeLines(m_state.appFolder.path(fileName), {withoutLineBreaks(m_state.bookmarkAddress)});
}

void Bookmark::Read_BookMark()
{
    const auto lines = TextFile::readLines(m_state.appFolder.path(fileName));
    if (!lines || lines->isEmpty())
        return;
    const QString address = lines->first();
    WebView *view = m_tabs.activeView();
    view->Stop();
    m_addressBox->setEditText(address);
    view->Navigate2(address);
}
