// The history file, read into the address box by the real reader: every line becomes an entry;
// the non-empty ones of the newest 30 entries are written back and read again unchanged.
#include "browsing/history.h"
#include "fuzzinput.h"

#include <QComboBox>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInput::startApplication();
    return 0;
}

static QStringList entries(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput::write("Data/TamzoTravel.Hys", data, size);
    ProgramState state = FuzzInput::freshState();
    QComboBox box;
    box.setEditable(true);
    box.setEditText(QStringLiteral("typed"));
    History history(state, &box);
    history.Hyst_Read();
    FUZZ_CHECK(box.currentText() == QStringLiteral("typed"));
    const QStringList items = entries(box);
    QStringList kept;
    for (const QString &item : items)
        FUZZ_CHECK(FuzzInput::isOneLine(item));
    // The newest 30 entries are saved, those of them that are not empty: empty ones are not
    // made up for with older entries.
    for (const QString &item : items.mid(std::max<qsizetype>(0, items.size() - History::savedEntries))) {
        if (!item.isEmpty())
            kept << item;
    }

    FUZZ_CHECK(history.Hyst_Save().ok());
    QComboBox again;
    History(state, &again).Hyst_Read();
    FUZZ_CHECK(entries(again) == kept);
    return 0;
}
