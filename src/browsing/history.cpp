#include "history.h"

#include "addressrules.h"
#include "core/linebreaks.h"
#include "core/programstate.h"

#include <QComboBox>

History::History(ProgramState &state, QComboBox *addressBox) : m_state(state), m_addressBox(addressBox) {}

void History::Hyst_Read()
{
    const auto lines = TextFile::readLines(m_state.appFolder.path(fileName));
    if (!lines)
        return;
    QStringList entries = *lines;
    entries.removeIf([](const QString &line) { return !offered(line); });
    // Adding items must not change what the box shows.
    const QString shown = m_addressBox->currentText();
    m_addressBox->addItems(entries);
    m_addressBox->setEditText(shown);
}

bool History::offered(const QString &entry)
{
    return entry.size() <= longestEntry && !AddressRules::isScriptAddress(entry);
}

void History::Hyst_Add()
{
    if (!offered(m_state.currentAddress))
        return;
    const QString typed = m_addressBox->currentText().trimmed();
    for (int i = 0; i < m_addressBox->count(); ++i) {
        if (m_addressBox->itemText(i).trimmed() == typed)
            return;
    }
    const QString shown = m_addressBox->currentText();
    m_addressBox->addItem(withoutLineBreaks(m_state.currentAddress));
    m_addressBox->setEditText(shown);
}

WriteResult History::Hyst_Save() const
{
    const int count = m_addressBox->count();
    QStringList lines;
    for (int i = std::max(0, count - savedEntries); i < count; ++i) {
        const QString item = withoutLineBreaks(m_addressBox->itemText(i));
        if (!item.isEmpty())
            lines.append(item);
    }
    return TextFile::writeLines(m_state.appFolder.path(fileName), lines);
}
