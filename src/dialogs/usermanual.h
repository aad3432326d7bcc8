#pragma once

#include <QString>

class DesktopShell;
class UserDialogs;
struct ProgramState;

// The program's user manual, "\Data\TamzoManual<language code>.html", one per delivered language.
class UserManual
{
public:
    static constexpr int missingCaption = 248;
    static inline const QString englishCode = QStringLiteral("Eng");

    // The file name of the manual in a language code ("Eng", "Ita").
    static QString fileName(const QString &langCode);

    // The manual of the current language (its language file's LANG code), the English one when
    // that language has none; empty when not even the English manual is installed.
    static QString path(const ProgramState &state);

    // Hands the manual to the desktop; says which file is missing when there is none.
    static void open(const ProgramState &state, DesktopShell &shell, UserDialogs &dialogs);
};
