#pragma once

#include <QList>
#include <QString>
#include <functional>

class CommandBars;
class QWidget;
struct ProgramState;

// Reading the current language and giving its texts to the commands and controls.
class Captions
{
public:
    static constexpr int loadingCaption = 179;
    static constexpr int moveButtonCaption = 215;
    static constexpr int missingLanguageCaption = 252;
    static constexpr int missingEnglishCaption = 228;
    static constexpr int refusedNameCaption = 229;

    // What the rest of the window does with the language: the tab count a language file gives,
    // and the names that follow the captions (the tabs', the empty link tables').
    struct Followers
    {
        std::function<void(int tabCount)> tabCountRead;
        std::function<void()> captionsApplied;
    };

    Captions(ProgramState &state, Followers followers);

    // Set once the command bars exist.
    void attach(CommandBars *bars, QList<QWidget *> moveButtons);
    // A control without a caption of its own gets its name and description (for screen readers)
    // from these captions, the program's own English where the language file has none. Without a
    // name caption, it keeps the name its own text gives it.
    void nameControl(QWidget *control, int nameCaption, const char *englishName, int descriptionCaption = 0,
                     const char *englishDescription = nullptr);

    // Reads the language file of languageName: captions, settings and the tab count. When that file is gone, the English file's instead, and the notice
    // that says so is given back (empty otherwise).
    QString Read_Lang();
    void Set_Captions();

private:
    ProgramState &m_state;
    Followers m_followers;
    CommandBars *m_bars = nullptr;
    QList<QWidget *> m_moveButtons;
    struct NamedControl
    {
        QWidget *control;
        int nameCaption;
        const char *englishName;
        int descriptionCaption;
        const char *englishDescription;
    };
    QList<NamedControl> m_namedControls;
};
