#include "commandcatalogue.h"

#include "core/textcase.h"
#include "imagelist.h"

namespace {

struct Item
{
    const char *key;
    int icon;
    ButtonKind kind;
};

constexpr ButtonKind B = ButtonKind::Button;
constexpr ButtonKind S = ButtonKind::Separator;
constexpr ButtonKind C = ButtonKind::Check;
constexpr ButtonKind O = ButtonKind::Option;

const Item toolbarButtons[] = {
    {"EXIT0", 0, B}, {"EXIT2", 0, B},   {"EXIT5", 0, B},  {"EXIT6", 0, B},    {"FILE", 81, B},
    {"BACK", 1, B},  {"NEXT", 2, B},    {"PRINT", 5, B},  {"GOOGLE", 13, B},  {"SAVE", 6, B},
    {"TRAVEL", 126, B}, {"EDIT", 7, B}, {"FAVORITE", 8, B}, {"NAVIGATE", 73, B}, {"LANG", 105, B},
};

const Item navigateMenu[] = {
    {"NAVIGATE:PICK", 15, B},    {"NAVIGATE:GO", 71, B},   {"NAVIGATE:GO:SEPARATOR", -1, S},
    {"NAVIGATE:BACK", 1, B},     {"NAVIGATE:REFRESH", 4, B}, {"NAVIGATE:NEXT", 2, B},
    {"NAVIGATE:HOME:SEPARATOR", -1, S}, {"NAVIGATE:PICKHOME", 83, B}, {"NAVIGATE:HOME", 16, B},
};

const Item editMenu[] = {
    {"EDIT:STOP", 3, B},        {"EDIT:TXT", 66, B},        {"EDIT:TXT:SEPARATOR", -1, S},
    {"EDIT:CUT", 61, B},        {"EDIT:COPY", 62, B},       {"EDIT:PASTE", 63, B},
    {"EDIT:DELETE", 68, B},     {"EDIT:SELECT", 67, B},     {"EDIT:SELECT:SEPARATOR", -1, S},
    {"EDIT:PAGESET", 58, B},    {"EDIT:PREVIEW", 59, B},    {"EDIT:PRINT", 60, B},
    {"EDIT:PROPERTIES", 79, B}, {"EDIT:FINDDOC", 64, B},    {"EDIT:VIEW:SEPARATOR", -1, S},
    {"EDIT:VIEW", 69, B},       {"EDIT:PICTURE", 78, B},    {"EDIT:TRANS", 80, B},
    {"EDIT:EXIT:SEPARATOR", -1, S}, {"EDIT:EXIT", 0, B},
};

const Item fileMenu[] = {
    {"FILE:STYLE:SEPARATOR", -1, S}, {"FILE:SYSTEM", 58, O},  {"FILE:OFFICE", 9, O},
    {"FILE:XP", 75, O},              {"FILE:MONEY", 76, O},   {"FILE:FLOATING:SEPARATOR", -1, S},
    {"FILE:FLOATING", 72, C},        {"FILE:FISH:SEPARATOR", -1, S}, {"FILE:EXPLORER", 46, B},
    {"FILE:SECURITY", 48, B},        {"FILE:VOLUME", 37, B},  {"FILE:INTERNET", 47, B},
    {"FILE:INTERNET:SEPARATOR", -1, S}, {"FILE:BRUSALDO", 19, B}, {"FILE:HELP", 77, B},
};

const Item saveMenu[] = {
    {"SAVE:HTML", 26, B}, {"SAVE:WORDH", 27, B}, {"SAVE:WORDV", 28, B},
    {"SAVE:EXCEL", 29, B}, {"SAVE:PPT", 30, B},  {"SAVE:PDF", 32, B},
};

const Item travelMenu[] = {
    {"TRAVEL:TRE", 127, B},  {"TRAVEL:SEI", 127, B}, {"TRAVEL:DODICI", 127, B},
    {"TRAVEL:STOP:SEPARATOR", -1, S}, {"TRAVEL:STOP", 128, B}, {"TRAVEL:LOG:SEPARATOR", -1, S},
    {"TRAVEL:LOG", 10, B},       {"TRAVEL:JOURNEY", 126, B}, {"TRAVEL:CLEAR", 68, B},
    {"TRAVEL:SAMEPAGE:SEPARATOR", -1, S}, {"TRAVEL:SAMEPAGE", -1, C}, {"TRAVEL:NEWPAGES", -1, C},
    {"TRAVEL:SITE", -1, C},      {"TRAVEL:JUMPBACK", -1, C},
};

const Item laterButtons[] = {
    {"BRUSALDO", 19, B}, {"WIKI", 122, B}, {"MAP", 123, B}, {"SOCIAL", 124, B}, {"EBAY", 125, B},
    {"ADDURL", 1, B},    {"EDITURL", 2, B}, {"GOURL", 3, B}, {"SORT", 6, B},    {"SAVE2", 7, B},
    {"HELP2", 8, B},     {"TITLE", 9, B},   {"MIN", 22, B},     {"IMPORT", 10, B},  {"EXPORT", 11, B},
};

// The secondary windows' buttons; their icons index each window's own pictures.
const Item windowButtons[] = {
    {"EXIT3", 0, B},   {"SAVE5", 1, B},      {"OKYES", 0, B},    {"OKNO", 1, B},
    {"NIL6", -1, ButtonKind::Panel}, {"ABOUTOK", 0, B}, {"ABOUTHELP", 1, B},
};

const char *const tab0[] = {"EXIT5", "SEP1", "ADDURL", "SEP5", "EDITURL", "GOURL",
                            "SEP4",  "SORT", "SAVE2",  "HELP2", "SEP7",  "TITLE", "SEP6", "IMPORT", "EXPORT"};
const char *const tab1[] = {"SEP10", "EXIT6"};
const char *const edit9[] = {"CANCEL", "SAVE3"};
const char *const standard5[] = {"SEP1", "EXIT3", "SEP13", "SAVE5", "SEP2"};
const char *const standard6[] = {"OKYES", "SEP13", "NIL6", "SEP2", "OKNO"};
const char *const standard7[] = {"ABOUTOK", "SEP13", "ABOUTHELP", "SEP2"};

const char *const standard0[] = {"EXIT0", "SEP13", "BACK", "NEXT", "SEP10", "PRINT", "FAVORITE", "BRUSALDO",
                                 "SEP11", "EDIT", "SAVE", "FILE", "LANG", "TRAVEL", "NAVIGATE"};
const char *const standard2[] = {"GOOGLE", "SOCIAL", "EBAY", "WIKI", "MAP", "SEP14", "MIN", "EXIT2"};

template<size_t N>
QStringList keysOf(const Item (&items)[N])
{
    QStringList keys;
    for (const Item &item : items)
        keys << QString::fromLatin1(item.key);
    return keys;
}

template<size_t N>
QStringList keysOf(const char *const (&keys)[N])
{
    QStringList list;
    for (const char *key : keys)
        list << QString::fromLatin1(key);
    return list;
}

} // namespace

void CommandCatalogue::add(const QString &key, int icon, ButtonKind kind)
{
    if (m_index.contains(key))
        return;
    m_index.insert(key, m_buttons.size());
    m_buttons.push_back(CommandButton{key, icon, kind, {}, {}, {}});
}

const CommandButton *CommandCatalogue::button(const QString &key) const
{
    const auto found = m_index.constFind(key);
    return found == m_index.constEnd() ? nullptr : &m_buttons[*found];
}

static const QString renamedSuffix = QStringLiteral(":LANGUAGE");

QString CommandCatalogue::languageKey(const QString &name)
{
    const QString key = u"LANG:" % name.toUpper();
    // A language called "New" must not take the language editor's key.
    return key == newLanguageKey ? key % renamedSuffix : key;
}

// "Lang_English.txt" gives the language English, shown under its name as written; a file without
// "." after the "_", or a second file giving a name already found, gives no entry.
QString CommandCatalogue::addLanguage(const QString &fileName)
{
    const QString name = m_languageOfFile(fileName);
    const QString key = languageKey(name);
    if (name.isEmpty() || m_index.contains(key))
        return QString();
    m_languageNames << name;
    m_languageFiles.insert(key, fileName);
    add(key, ImageList::languageIcon(name), ButtonKind::Option);
    CommandButton &entry = m_buttons.back();
    entry.tooltip = fileName;
    entry.caption = name;
    if (m_bars.contains(QStringLiteral("LANG")))
        m_bars[QStringLiteral("LANG")].insert(m_bars[QStringLiteral("LANG")].indexOf(newLanguageKey), key);
    return key;
}

void CommandCatalogue::Make_Buttons(const QStringList &languageFiles)
{
    for (const Item &item : toolbarButtons)
        add(QString::fromLatin1(item.key), item.icon, item.kind);
    for (const QString &title : menuTitles)
        m_buttons[m_index.value(title)].menu = title;
    for (const QString &file : languageFiles)
        addLanguage(file);
    add(newLanguageKey, 119);
    const auto addAll = [this](const auto &items) {
        for (const Item &item : items)
            add(QString::fromLatin1(item.key), item.icon, item.kind);
    };
    addAll(navigateMenu);
    addAll(editMenu);
    addAll(fileMenu);
    addAll(saveMenu);
    addAll(travelMenu);
    for (int i = 1; i <= 16; ++i)
        add(QStringLiteral("SEP%1").arg(i), -1, ButtonKind::Separator);
    addAll(laterButtons);
    add(QStringLiteral("NIL4"), -1, ButtonKind::Panel);
    add(QStringLiteral("CANCEL"), 1);
    add(QStringLiteral("SAVE3"), 2);
    addAll(windowButtons);
}

void CommandCatalogue::Build_Bars()
{
    m_bars.insert(QStringLiteral("STANDARD0"), keysOf(standard0));
    m_bars.insert(QStringLiteral("SAVE"), keysOf(saveMenu));
    m_bars.insert(QStringLiteral("EDIT"), keysOf(editMenu));
    m_bars.insert(QStringLiteral("FILE"), keysOf(fileMenu));
    m_bars.insert(QStringLiteral("NAVIGATE"), keysOf(navigateMenu));
    m_bars.insert(QStringLiteral("TRAVEL"), keysOf(travelMenu));
    QStringList languages;
    for (const QString &name : m_languageNames)
        languages << languageKey(name);
    m_bars.insert(QStringLiteral("LANG"), languages << newLanguageKey);
    m_bars.insert(QStringLiteral("STANDARD1"), {QStringLiteral("NIL4")});
    m_bars.insert(QStringLiteral("STANDARD2"), keysOf(standard2));
    m_bars.insert(QStringLiteral("TAB0"), keysOf(tab0));
    m_bars.insert(QStringLiteral("TAB1"), keysOf(tab1));
    m_bars.insert(QStringLiteral("EDIT9"), keysOf(edit9));
    m_bars.insert(QStringLiteral("STANDARD5"), keysOf(standard5));
    m_bars.insert(QStringLiteral("STANDARD6"), keysOf(standard6));
    m_bars.insert(QStringLiteral("STANDARD7"), keysOf(standard7));
}
