#pragma once

#include <QString>
#include <optional>

struct ProgramState;

// "\Languages\Lang_<name>.txt": numbered caption lines between double quotes, "KEY=value"
// setting lines and "[heading]" lines, in any order.
class LanguageFile
{
public:
    static QString fileName(const QString &languageName);
    // The delivered English file, built into the program.
    static inline const QString builtInEnglish = QStringLiteral(":/language/Lang_English.txt");

    struct ReadResult
    {
        bool found = false;
        // The numeric value of the last "TAB_NUMBER" line, when the file has one.
        std::optional<double> tabNumber;
    };

    // Empties the caption table, then takes the captions and settings of the file of
    // state.languageName. Settings the file does not name keep their values.
    static ReadResult Read_Lang(ProgramState &state);
    // The same from a file given by its full path.
    static ReadResult readFile(ProgramState &state, const QString &path);
};
