#pragma once

#include <QString>

class QDir;

// The name a user gives a new language: it becomes part of the file name "Lang_<name>.Txt" and,
// at the next start, the language's entry in the LANG menu.
class LanguageName
{
public:
    enum class Verdict {
        Valid,
        Empty,
        // A path separator, a dot (".." included: the menu takes the name up to the first dot)
        // or a character that file names cannot hold.
        ForbiddenCharacter,
        ControlCharacter,
    };

    static inline const QString forbiddenCharacters = QStringLiteral("/\\.:*?\"<>|");

    // Checks a name already trimmed of its surrounding blanks.
    static Verdict check(const QString &name);

    // The file a new language is saved to, relative to the application folder.
    static QString fileName(const QString &name);

    // The language a file "Lang_<name>.<ext>" offers; empty when the name has no "_" followed
    // later by a ".".
    static QString ofFile(const QString &fileName);

    // The file of the language folder that offers this language, whatever the case of either
    // name; empty when none does.
    static QString existingFile(const QDir &languages, const QString &name);
};
