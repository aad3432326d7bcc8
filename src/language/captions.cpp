#include "captions.h"

#include "commands/accessibletext.h"
#include "commands/commandbars.h"
#include "core/programstate.h"
#include "core/textcase.h"
#include "languagefile.h"
#include "languagename.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace {

struct Text
{
    int caption;
    const char *key;
    // The program's own entries have a text built in for language files without it.
    const char *english = nullptr;
};

const Text toolbarTooltips[] = {
    {32, "EXIT0"}, {131, "FILE"}, {123, "BACK"}, {124, "NEXT"}, {43, "PRINT"}, {128, "SAVE"}, {129, "EDIT"},
    {130, "FAVORITE"}, {134, "NAVIGATE"}, {223, "TRAVEL"}, {194, "LANG"}, {32, "EXIT2"}, {60, "MIN"},
};

// Menu by menu: NAVIGATE, FILE, EDIT, the rest of FILE, SAVE, the language editor, TRAVEL.
const Text menuCaptions[] = {
    {2, "NAVIGATE:BACK"},     {3, "NAVIGATE:NEXT"},      {63, "NAVIGATE:HOME"},     {126, "NAVIGATE:REFRESH"},
    {135, "NAVIGATE:PICKHOME"}, {169, "NAVIGATE:GO"},    {170, "NAVIGATE:PICK"},    {38, "FILE:FLOATING"},
    {97, "FILE:VOLUME"},      {1, "EDIT:EXIT"},          {18, "EDIT:DELETE"},       {23, "EDIT:SELECT"},
    {35, "EDIT:VIEW"},        {41, "EDIT:PAGESET"},      {42, "EDIT:PREVIEW"},      {43, "EDIT:PRINT"},
    {125, "EDIT:STOP"},       {157, "EDIT:CUT"},         {158, "EDIT:COPY"},        {159, "EDIT:PASTE"},
    {166, "EDIT:FINDDOC"},    {176, "EDIT:PICTURE"},     {177, "EDIT:PROPERTIES"},  {189, "EDIT:TRANS"},
    {138, "FILE:BRUSALDO"},   {160, "FILE:EXPLORER"},    {161, "FILE:INTERNET"},    {162, "FILE:SECURITY"},
    {172, "FILE:OFFICE"},     {173, "FILE:XP"},          {174, "FILE:MONEY"},       {175, "FILE:HELP"},
    {180, "FILE:SYSTEM"},     {145, "SAVE:HTML"},        {146, "SAVE:WORDH"},       {147, "SAVE:WORDV"},
    {148, "SAVE:EXCEL"},      {149, "SAVE:PPT"},         {206, "SAVE:PDF"},         {209, "LANG:NEW"},
    {218, "TRAVEL:TRE"},      {219, "TRAVEL:SEI"},       {220, "TRAVEL:DODICI"},    {221, "TRAVEL:STOP"},
    {222, "TRAVEL:LOG"},
    {331, "TRAVEL:SAMEPAGE", "Skip places on the same page"}, {332, "TRAVEL:NEWPAGES", "Prefer new pages"},
    {333, "TRAVEL:SITE", "Stay on this site"}, {334, "TRAVEL:JUMPBACK", "At a dead end, jump back"},
    {335, "TRAVEL:JOURNEY", "Picture of the journey"},
    {453, "TRAVEL:CLEAR", "Clear what travel left behind..."},
};

// The program's own menu entries that say more in a tooltip.
const Text menuTooltips[] = {
    {454, "TRAVEL:CLEAR", "Clears the cookies, the cache and the site storage of the sites new to the last journey, "
                          "or of all sites"},
};

} // namespace

Captions::Captions(ProgramState &state, Followers followers) : m_state(state), m_followers(std::move(followers)) {}

void Captions::attach(CommandBars *bars, QList<QWidget *> moveButtons)
{
    m_bars = bars;
    m_moveButtons = std::move(moveButtons);
}

void Captions::nameControl(QWidget *control, int nameCaption, const char *englishName, int descriptionCaption,
                           const char *englishDescription)
{
    m_namedControls.append({control, nameCaption, englishName, descriptionCaption, englishDescription});
}

static bool isEnglish(const QString &languageName)
{
    return languageName.compare(u"english", Qt::CaseInsensitive) == 0;
}

QString Captions::Read_Lang()
{
    // A name no language file could have (a path, a control character) is not looked for; the
    // options then keep English, unless the user chooses another language.
    if (const auto verdict = LanguageName::check(m_state.languageName); verdict != LanguageName::Verdict::Valid) {
        const QString refused = std::exchange(m_state.languageName, QStringLiteral("English"));
        const QString notice = Read_Lang();
        if (verdict == LanguageName::Verdict::Empty)
            return notice;
        const QString refusal = m_state.caption(refusedNameCaption, "This language name cannot be used; English is "
                                                                    "used instead:") % u'\n' % refused;
        return notice.isEmpty() ? refusal : refusal % u'\n' % notice;
    }
    LanguageFile::ReadResult read = LanguageFile::Read_Lang(m_state);
    QString notice;
    // A lost file leaves the program without texts: the English one stands in for this run and
    // the options keep the language chosen.
    if (!read.found && !isEnglish(m_state.languageName)) {
        const QString chosen = std::exchange(m_state.languageName, QStringLiteral("English"));
        read = LanguageFile::Read_Lang(m_state);
        m_state.languageName = chosen;
        notice = m_state.caption(missingLanguageCaption, "This language file is missing; English is used for now:") %
                 u'\n' % m_state.appFolder.path(LanguageFile::fileName(chosen));
    }
    // Without the English file, the delivered one built into the program gives the texts and settings.
    if (!read.found) {
        read = LanguageFile::readFile(m_state, LanguageFile::builtInEnglish);
        if (notice.isEmpty())
            notice = m_state.caption(missingEnglishCaption, "The English language file is missing; the program's own "
                                                            "English is used:") %
                     u'\n' % m_state.appFolder.path(LanguageFile::fileName(QStringLiteral("English")));
    }
    // The tabs keep their captions: a language switch leaves their pages open.
    if (read.tabNumber)
        m_followers.tabCountRead(*read.tabNumber);
    return notice;
}

void Captions::Set_Captions()
{
    if (!m_bars)
        return;
    const auto key = [](const char *name) { return QString::fromLatin1(name); };
    for (const Text &text : toolbarTooltips)
        m_bars->setTooltip(key(text.key), m_state.caption(text.caption));
    m_bars->setTooltip(QStringLiteral("GOOGLE"), m_state.searchDescr);
    for (const Text &text : menuCaptions)
        m_bars->setCaption(key(text.key), text.english ? m_state.caption(text.caption, text.english)
                                                       : m_state.caption(text.caption));
    for (const Text &text : menuTooltips)
        m_bars->setTooltip(key(text.key), m_state.caption(text.caption, text.english));
    // The name of the current language file, as the language folder holds it.
    const QString file = LanguageName::existingFile(QDir(m_state.appFolder.path(u"\\Languages")), m_state.languageName);
    m_bars->setCaption(QStringLiteral("EDIT:TXT"), file.isEmpty() ? u"Lang_" % properCase(m_state.languageName) % u".txt"
                                                                  : QFileInfo(file).fileName());
    m_bars->setTooltip(QStringLiteral("WIKI"), m_state.dictionaryDescr);
    m_bars->setTooltip(QStringLiteral("MAP"), m_state.mapDescr);
    m_bars->setTooltip(QStringLiteral("SOCIAL"), m_state.socialDescr);
    m_bars->setTooltip(QStringLiteral("EBAY"), m_state.ecommerceDescr);
    m_bars->setTooltip(QStringLiteral("BRUSALDO"), m_state.caption(196));
    for (QWidget *button : m_moveButtons) {
        button->setToolTip(m_state.caption(moveButtonCaption));
        AccessibleText::describe(button, button->toolTip(), button->toolTip());
    }
    for (const NamedControl &named : std::as_const(m_namedControls)) {
        const QString description =
            named.descriptionCaption ? m_state.caption(named.descriptionCaption, named.englishDescription) : QString();
        AccessibleText::describe(named.control,
                                 named.nameCaption ? m_state.caption(named.nameCaption, named.englishName) : QString(),
                                 description);
        // A button says what it does when pointed at, as those of the command bars do.
        if (qobject_cast<QAbstractButton *>(named.control))
            named.control->setToolTip(description);
    }
    m_followers.captionsApplied();
}
