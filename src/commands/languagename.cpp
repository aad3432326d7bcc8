#include "languagename.h"

#include <QDir>

LanguageName::Verdict LanguageName::check(const QString &name)
{
    if (name.isEmpty())
        return Verdict::Empty;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            return Verdict::ControlCharacter;
        if (forbiddenCharacters.contains(c))
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
