#include "tabletitlebox.h"

#include "core/programstate.h"
#include "linkindex.h"
#include "platform/userdialogs.h"

#include <QLineEdit>

TableTitleBox::TableTitleBox(ProgramState &state, UserDialogs &dialogs, QLineEdit *box, std::function<bool()> saveTitles)
    : m_state(state), m_dialogs(dialogs), m_box(box), m_saveTitles(std::move(saveTitles))
{
}

void TableTitleBox::setBackground(bool editing)
{
    QPalette palette = m_box->palette();
    palette.setColor(QPalette::Base, editing ? QColor(255, 255, 192) : palette.color(QPalette::Button));
    m_box->setPalette(palette);
}

void TableTitleBox::toggle()
{
    if (m_state.titleEditing == 0) {
        m_state.titleEditing = 1;
        setBackground(true);
        m_box->clear();
        m_box->show();
        m_box->setFocus();
        m_state.pendingTitle.clear();
    } else {
        if (!m_box->text().isEmpty())
            m_saveTitles();
        close();
    }
}

void TableTitleBox::enter()
{
    const QString text = m_box->text();
    if (!LinkIndex::storableTitle(text)) {
        m_dialogs.message(m_state.caption(refusedCaption, "A table title cannot contain a comma."));
        m_box->setFocus();
        return;
    }
    if (text.isEmpty())
        m_state.linkIndex[m_state.currentTable + 1].title.clear();
    m_state.pendingTitle = text;
    setBackground(false);
    close();
    m_saveTitles();
    m_box->clear();
}

void TableTitleBox::close()
{
    m_box->hide();
    m_state.titleEditing = 0;
}
