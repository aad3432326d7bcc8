#include "savegeneration.h"

#include "browsing/bookmark.h"
#include "browsing/history.h"
#include "browsing/tabset.h"
#include "linktables/linkindex.h"
#include "linktables/linktable.h"
#include "settings/optionsfile.h"
#include "settings/windowsettings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

constexpr int historyItems = 35; // more than the file keeps
constexpr int tableRows = 20;

QString historyItem(int g, int i) { return QString("https://hys.example/%1/%2").arg(g).arg(i); }

// The number after the last "/" or blank of a text that starts with prefix; -1 otherwise.
int generationIn(const QString &text, const QString &prefix)
{
    if (!text.startsWith(prefix))
        return -1;
    bool ok = false;
    const int g = text.mid(prefix.size()).toInt(&ok);
    return ok && g > 0 ? g : -1;
}

int readOptions(const QString &root)
{
    if (!QFile::exists(root + "/Data/TamzoTravel.Opt"))
        return 0;
    ProgramState state{AppFolder(root)};
    OptionsFile::Read_Opt(state);
    const int g = generationIn(state.startAddress, "https://opt.example/");
    return g > 0 && state.barStyle == g % 4 && state.languageName == "English" ? g : -1;
}

int readWindowSettings(const QString &root)
{
    if (!QFile::exists(root + "/Data/TamzoTravel.Ini"))
        return 0;
    ProgramState state{AppFolder(root)};
    WindowSettings::Read_Ini(state, QSizeF(1, 1));
    const int g = state.mainTop;
    const bool whole = g > 0 && state.mainLeft == 2 * g && state.mainHeight == 5000 + g &&
                       state.mainWidth == 9000 + g && state.gridEditorWidth == g + 0.5 &&
                       state.mainFullScreen == g % 3;
    return whole ? g : -1;
}

int readHistory(const QString &root)
{
    if (!QFile::exists(root + "/Data/TamzoTravel.Hys"))
        return 0;
    ProgramState state{AppFolder(root)};
    QComboBox box;
    box.setEditable(true);
    History(state, &box).Hyst_Read();
    if (box.count() != History::savedEntries)
        return -1;
    const int g = generationIn(box.itemText(0).section('/', 0, -2), "https://hys.example/");
    for (int i = 0; i < box.count(); ++i) {
        if (box.itemText(i) != historyItem(g, historyItems - History::savedEntries + i))
            return -1;
    }
    return g;
}

int readBookmark(const QString &root)
{
    // The bookmark's reader opens the address it reads; the file is read the way it reads it.
    const auto lines = TextFile::readLines(root + "/Data/TamzoBook.bm");
    if (!lines)
        return 0;
    return lines->size() == 1 ? generationIn(lines->first(), "https://bm.example/") : -1;
}

// The index and the table, read as the link-table window reads them at its start.
QPair<int, int> readLinkTables(const QString &root)
{
    const bool hasIndex = QFile::exists(root + "/Links/Links.Bok");
    const bool hasTable = QFile::exists(root + "/Links/Links.000");
    ProgramState state{AppFolder(root)};
    LinkIndex::Load_Index(state);
    // Without an index the reader writes the default one: "Table 1" with no rows.
    const bool defaultIndex = LinkIndex::count(state, 1) == 0 && state.linkIndex[1].title == LinkIndex::defaultTitle(state, 1);
    const int index = !hasIndex || defaultIndex ? 0
                      : LinkIndex::count(state, 1) == tableRows ? generationIn(state.linkIndex[1].title, "Generation ")
                                                                 : -1;
    LinkIndex::selectTable(state, 0);
    LinkTable table(state);
    table.Read_Table();
    if (!hasTable)
        return {index, 0};
    if (table.rowCount() != tableRows)
        return {index, -1};
    const int rows = generationIn(table.row(1)[LinkRow::Title].section(' ', 0, 0), "Row");
    for (int r = 1; r <= tableRows; ++r) {
        const LinkRow &row = table.row(r);
        if (row[LinkRow::Title] != QString("Row%1 %2").arg(rows).arg(r, 2, 10, QChar('0')) ||
            row[LinkRow::Secret] != QString("secret %1;%2").arg(rows).arg(r))
            return {index, -1};
    }
    return {index, rows};
}

} // namespace

const QStringList &SaveGeneration::files()
{
    static const QStringList names{"Data/TamzoTravel.Opt", "Data/TamzoTravel.Ini", "Data/TamzoTravel.Hys",
                                   "Data/TamzoBook.bm",    "Links/Links.000",      "Links/Links.Bok"};
    return names;
}

SaveGeneration::SaveGeneration(const QString &appFolder)
    : m_root(appFolder), m_state(AppFolder(appFolder)), m_addressBox(new QComboBox(&m_host)),
      m_tabStrip(new QTabBar(&m_host))
{
    QDir(appFolder).mkpath("Data");
    m_addressBox->setEditable(true);
}

WriteResult SaveGeneration::save(int g)
{
    m_state.barStyle = static_cast<qint16>(g % 4);
    m_state.startAddress = QString("https://opt.example/%1").arg(g);
    m_state.languageName = "English";
    if (WriteResult r = OptionsFile::Save_Opt(m_state); !r.ok())
        return r;

    m_state.gridEditorWidth = g + 0.5;
    m_state.mainFullScreen = static_cast<qint16>(g % 3);
    if (WriteResult r = WindowSettings::Save_Ini(m_state, QRectF(2 * g, g, 9000 + g, 5000 + g)); !r.ok())
        return r;

    m_addressBox->clear();
    for (int i = 0; i < historyItems; ++i)
        m_addressBox->addItem(historyItem(g, i));
    if (WriteResult r = History(m_state, m_addressBox).Hyst_Save(); !r.ok())
        return r;

    TabSet tabs(m_state, m_dialogs, m_tabStrip, &m_host);
    m_state.bookmarkAddress = QString("https://bm.example/%1").arg(g);
    if (WriteResult r = Bookmark(m_state, tabs, m_addressBox).Save_BookMark(); !r.ok())
        return r;

    if (WriteResult r = LinkIndex::Load_Index(m_state); !r.ok())
        return r;
    LinkIndex::selectTable(m_state, 0);
    m_state.linkIndex[1] = {QString("Generation %1").arg(g), QStringLiteral("0")};
    LinkTable table(m_state);
    for (int r = tableRows; r >= 1; --r) {
        const QString title = QString("Row%1 %2").arg(g).arg(r, 2, 10, QChar('0'));
        table.ADD_Tab(title, "https://links.example/" + title, "typed " + title);
        LinkRow row = table.row(table.rowCount());
        row[LinkRow::Secret] = QString("secret %1;%2").arg(g).arg(r);
        table.setRow(table.rowCount(), row);
    }
    return table.Save_Table();
}

QList<int> SaveGeneration::read() const
{
    const auto [index, rows] = readLinkTables(m_root);
    return {readOptions(m_root), readWindowSettings(m_root), readHistory(m_root), readBookmark(m_root), rows, index};
}
