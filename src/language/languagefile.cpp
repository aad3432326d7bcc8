#include "languagefile.h"

#include "core/numbers.h"
#include "core/programstate.h"
#include "core/textfile.h"

QString LanguageFile::fileName(const QString &languageName)
{
    return u"\\Languages\\Lang_" % languageName % u".txt";
}

// Only blanks are stripped; tab characters stay.
static QStringView stripBlanks(QStringView line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && line[start] == u' ')
        ++start;
    while (end > start && line[end - 1] == u' ')
        --end;
    return line.sliced(start, end - start);
}

static void applySetting(ProgramState &state, const QString &key, const QString &value,
                         LanguageFile::ReadResult &result)
{
    static const struct
    {
        const char16_t *key;
        QString ProgramState::*target;
    } textSettings[] = {
        {u"START_PAGE", &ProgramState::startPage},
        {u"SEARCH_URL", &ProgramState::searchUrl},
        {u"SEARCH_DESCR", &ProgramState::searchDescr},
        {u"SEARCH_QUERY", &ProgramState::searchQuery},
        {u"DICTIONARY_URL", &ProgramState::dictionaryUrl},
        {u"DICTIONARY_DESCR", &ProgramState::dictionaryDescr},
        {u"MAP_URL", &ProgramState::mapUrl},
        {u"MAP_DESCR", &ProgramState::mapDescr},
        {u"SOCIAL_URL", &ProgramState::socialUrl},
        {u"SOCIAL_DESCR", &ProgramState::socialDescr},
        {u"ECOMMERCE_URL", &ProgramState::ecommerceUrl},
        {u"ECOMMERCE_DESCR", &ProgramState::ecommerceDescr},
        {u"TRANSLATOR_PATH", &ProgramState::translatorAddress},
    };
    for (const auto &setting : textSettings) {
        if (key == setting.key) {
            state.*setting.target = value;
            return;
        }
    }
    if (key == u"LANG") {
        state.langCode = value.trimmed().left(3);
    } else if (key == u"TAB_WIDTH") {
        if (const auto width = Numbers::toInt16(Numbers::leadingNumber(value)))
            state.tabWidth = *width;
    } else if (key == u"TAB_NUMBER") {
        result.tabNumber = Numbers::leadingNumber(value);
    }
}

LanguageFile::ReadResult LanguageFile::Read_Lang(ProgramState &state)
{
    return readFile(state, state.appFolder.path(fileName(state.languageName)));
}

LanguageFile::ReadResult LanguageFile::readFile(ProgramState &state, const QString &path)
{
    state.captions.fill(QString());
    // The one setting a language may lack without keeping the previous language's.
    state.searchQuery.clear();
    ReadResult result;
    const auto lines = TextFile::readLines(path);
    if (!lines)
        return result;
    result.found = true;
    int captionNumber = 0;
    for (const QString &rawLine : *lines) {
        const QStringView line = stripBlanks(rawLine);
        if (line.isEmpty() || line.front() == u'[')
            continue;
        if (line.front() == u'"') {
            ++captionNumber;
            if (captionNumber < ProgramState::captionSlots)
                state.captions[captionNumber] = line.size() < 2 ? QString() : line.sliced(1, line.size() - 2).toString();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        applySetting(state, line.left(equals).toString().toUpper(), line.sliced(equals + 1).toString(),
                     result);
    }
    return result;
}
