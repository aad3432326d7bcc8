#include "languagename.h"

#include <QDir>

LanguageName::Verdict LanguageName::check(const QString &name)
{
    if (name.isEmpty())
        return Verdict::Empty;
    // Invisible format characters (U+200B, U+200E, U+FEFF ...) count as control characters: the
    // name shown would not be the name of the file.
    for (const char32_t c : name.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph || category == QChar::Other_Surrogate || c == 0x200B)
            return Verdict::ControlCharacter;
        if (c < 0x10000 && forbiddenCharacters.contains(QChar(c)))
            return Verdict::ForbiddenCharacter;
    }
    return Verdict::Valid;
}

QString LanguageName::fileName(const QString &name) { return u"\\Languages\\Lang_" % name % u".Txt"; }

QString LanguageName::ofFile(const QString &fileName)
{
    const qsizetype underscore = fileName.indexOf(u'_');
    const qsizetype dot = fileName.indexOf(u'.', underscore + 1);
    if (underscore < 0 || dot < 0)
        return QString();
    return fileName.mid(underscore + 1, dot - underscore - 1);
}

QString LanguageName::existingFile(const QDir &languages, const QString &name)
{
    for (const QString &file : languages.entryList({QStringLiteral("Lang_*")}, QDir::Files, QDir::Name)) {
        if (ofFile(file).compare(name, Qt::CaseInsensitive) == 0)
            return languages.filePath(file);
    }
    return QString();
}
