#pragma once

#include <QHash>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// How a button behaves; the numbers are the command bar's style codes.
enum class ButtonKind { Button = 0, Separator = 1, Panel = 3, Check = 4, Option = 6 };

struct CommandButton
{
    QString key;
    int icon = -1;
    ButtonKind kind = ButtonKind::Button;
    QString caption;
    QString tooltip;
    // For menu titles: the bar that drops down.
    QString menu;
};

// The shared button collection, by command key, and the named bars of the main window with the
// order of their buttons. Built once per run.
class CommandCatalogue
{
public:
    static inline const QStringList menuTitles = {"SAVE", "EDIT", "FILE", "NAVIGATE", "TRAVEL", "LANG"};
    static inline const QString newLanguageKey = QStringLiteral("LANG:NEW");
    using LanguageOfFile = std::function<QString(const QString &fileName)>;

    // languageOfFile: the language a file of the language folder offers, empty for none.
    explicit CommandCatalogue(LanguageOfFile languageOfFile) : m_languageOfFile(std::move(languageOfFile)) {}

    // The menu entry of a language: "LANG:" and the name in upper case ("LANG:NEW:LANGUAGE" for
    // a language called New).
    static QString languageKey(const QString &name);
    // The file of the language folder a language entry switches to, as listed; empty for
    // another key. Upper-casing a name does not always undo ("Weiß" gives "WEISS"), so the entry
    // keeps its file.
    QString languageFile(const QString &key) const { return m_languageFiles.value(key); }

    // languageFiles: the names of the files "Lang_*" of the language folder, as listed.
    void Make_Buttons(const QStringList &languageFiles);
    void Build_Bars();
    // A language saved during the run: its entry, or an empty key when its name is offered already.
    QString addLanguage(const QString &fileName);

    const CommandButton *button(const QString &key) const;
    const std::vector<CommandButton> &buttons() const { return m_buttons; }
    QStringList bar(const QString &name) const { return m_bars.value(name); }
    // The languages found, in the order found.
    const QStringList &languageNames() const { return m_languageNames; }

private:
    void add(const QString &key, int icon, ButtonKind kind = ButtonKind::Button);

    LanguageOfFile m_languageOfFile;
    std::vector<CommandButton> m_buttons;
    QHash<QString, size_t> m_index;
    QHash<QString, QStringList> m_bars;
    QStringList m_languageNames;
    QHash<QString, QString> m_languageFiles;
};
