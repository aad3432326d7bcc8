#include "linkindex.h"

#include "core/linebreaks.h"
#include "core/numbers.h"
#include "core/programstate.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace {

QString linksFolder(const ProgramState &state) { return state.appFolder.path(QStringLiteral("\\Links")); }

QString withoutTrailingBlanks(QString line)
{
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}

int countValue(QStringView text)
{
    const double value = Numbers::leadingNumber(text);
    if (!(value > 0))
        return 0;
    return static_cast<int>(std::min<double>(LinkIndex::maxCount, std::nearbyint(value)));
}

WriteResult writeIndex(const ProgramState &state, const QStringList &lines)
{
    return TextFile::writeLines(LinkIndex::filePath(state, LinkIndex::indexExtension), lines,
                                TextFile::Access::OwnerOnly);
}

} // namespace

QString LinkIndex::tableExtension(int table) { return QString::number(table).rightJustified(3, u'0'); }

QString LinkIndex::filePath(const ProgramState &state, const QString &extension)
{
    return state.appFolder.path(QString(u"\\Links\\Links." % extension));
}

int LinkIndex::entryCount(const ProgramState &state)
{
    return std::clamp(state.linkGroupCount * state.linkSlotsPerGroup, 0, ProgramState::linkIndexSlots - 1);
}

QString LinkIndex::defaultTitle(const ProgramState &state, int entry)
{
    return state.caption(defaultTitleCaption, "Table") % u' ' % QString::number(entry);
}

WriteResult LinkIndex::Load_Index(ProgramState &state)
{
    QDir().mkpath(linksFolder(state));
    // The tables hold secrets in clear: their folder is the owner's alone.
    QFile::setPermissions(linksFolder(state), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    state.linkFileStem = linksFolder(state) % u"/Links.";

    const QString path = filePath(state, indexExtension);
    if (!QFile::exists(path)) {
        QStringList lines;
        for (int entry = 1; entry <= entryCount(state); ++entry)
            lines.append(defaultTitle(state, entry) % u",0");
        if (WriteResult written = writeIndex(state, lines); !written.ok())
            return written;
    }
    const QStringList lines = TextFile::readLines(path).value_or(QStringList());
    // Lines beyond the entries the index keeps are not read; an entry the file does not reach keeps
    // its title and counts no rows.
    for (int entry = 1; entry <= entryCount(state); ++entry) {
        ProgramState::LinkIndexEntry &slot = state.linkIndex[entry];
        if (entry > lines.size()) {
            slot.count = QStringLiteral("0");
            continue;
        }
        // Blanks before a title are the title's own.
        const QStringList pieces = withoutTrailingBlanks(lines[entry - 1]).split(u',');
        slot.title = pieces[0];
        slot.count = QString::number(pieces.size() > 1 ? countValue(pieces[1]) : 0);
    }
    return WriteResult::success();
}

WriteResult LinkIndex::Save_Title(ProgramState &state)
{
    if (!state.pendingTitle.isEmpty()) {
        state.linkIndex[state.currentTable + 1].title = state.pendingTitle;
        state.pendingTitle.clear();
        state.titleEditing = 0;
    }
    QStringList lines;
    for (int entry = 1; entry <= entryCount(state); ++entry)
        lines.append(state.linkIndex[entry].title % u',' % state.linkIndex[entry].count);
    return writeIndex(state, lines);
}

void LinkIndex::nameEmptyTables(ProgramState &state)
{
    for (int entry = 1; entry <= entryCount(state); ++entry) {
        if (count(state, entry) == 0)
            state.linkIndex[entry].title = defaultTitle(state, entry);
    }
}

int LinkIndex::count(const ProgramState &state, int entry)
{
    return entry > 0 && entry < ProgramState::linkIndexSlots ? countValue(state.linkIndex[entry].count) : 0;
}

void LinkIndex::selectTable(ProgramState &state, int table)
{
    state.currentTable = static_cast<qint16>(table);
    state.currentTableFile = filePath(state, tableExtension(table));
}

bool LinkIndex::storableTitle(QStringView title)
{
    return !title.contains(u',') && std::none_of(title.begin(), title.end(), isLineBreak);
}
