#include "frmlang.h"

#include "commands/accessibletext.h"
#include "commands/barkeys.h"
#include "commands/commandbar.h"
#include "core/programstate.h"
#include "core/textfile.h"
#include "dialogs/frminput.h"
#include "dialogs/themedicon.h"
#include "languagefile.h"
#include "languagename.h"
#include "platform/userdialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

frmLang::frmLang(ProgramState &state, const CommandCatalogue &catalogue, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_state(state), m_catalogue(catalogue), m_dialogs(dialogs)
{
    setModal(true);
    const auto icons = [](int index) {
        return index == 0 ? themedIcon("application-exit", QStyle::SP_DialogCloseButton)
                          : themedIcon("document-save", QStyle::SP_DialogSaveButton);
    };
    cmdBar = new CommandBar(catalogue, QStringLiteral("STANDARD5"), barInstance, icons, this);
    cmdBar->showCaptions(true);
    cmdBar->applyStyle(m_state.barStyle);
    connect(cmdBar, &CommandBar::clicked, this, &frmLang::cmdBar_ButtonClick);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    Text1->setFont(font);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(cmdBar);
    layout->addWidget(Text1);

    new BarKeys(this, {cmdBar}, [this] { Text1->setFocus(Qt::ShortcutFocusReason); });
    applyCaptions();
    resize(QGuiApplication::primaryScreen()->geometry().size() / 2);
    loadEnglish();
    // Edits made without a key (pasting or dragging with the mouse) count as typing too.
    connect(Text1, &QPlainTextEdit::textChanged, this, [this] { m_state.langModified = true; });
}

void frmLang::applyCaptions()
{
    showTitle();
    cmdBar->setCaption(QStringLiteral("EXIT3"), m_state.caption(exitCaption));
    cmdBar->setCaption(QStringLiteral("SAVE5"), m_state.caption(saveCaption));
    cmdBar->setTooltip(QStringLiteral("EXIT3"), m_state.caption(exitTooltipCaption, "Close the language editor"));
    cmdBar->setTooltip(QStringLiteral("SAVE5"),
                       m_state.caption(saveTooltipCaption, "Save the text as a new language file; its name is asked for"));
    AccessibleText::describe(Text1, m_state.caption(textCaption, "Language file text"), QString());
}

void frmLang::showTitle()
{
    const QString title = m_state.caption(titleCaption);
    setWindowTitle(m_savedFile.isEmpty() ? title : QFileInfo(m_savedFile).fileName() % u" - " % title);
}

void frmLang::loadEnglish()
{
    // Without the English file of the language folder, the delivered one built into the program.
    std::optional<QStringList> lines = TextFile::readLines(m_state.appFolder.path(englishFile));
    if (!lines)
        lines = TextFile::readLines(LanguageFile::builtInEnglish);
    if (lines)
        Text1->setPlainText(lines->join(u'\n'));
}

bool frmLang::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress)
        m_state.langModified = true;
    return QDialog::eventFilter(watched, event);
}

void frmLang::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous()) {
        QDialog::closeEvent(event);
        return;
    }
    QDialog::reject();
    event->accept();
}

void frmLang::cmdBar_ButtonClick(int instance, const QString &key)
{
    if (instance != barInstance)
        return;
    if (key == u"SAVE5")
        saveLanguage();
    else if (key == u"EXIT3")
        reject();
}

void frmLang::reject()
{
    if (m_state.langModified) {
        // Closing the question without answering keeps the edits.
        m_state.inputAnswer = 0;
        frmInput question(m_state, m_catalogue,
                          {m_state.caption(dropCaption, "The changes you made are not saved. Close the editor and lose "
                                                        "them?"),
                           m_state.caption(dropYesTooltipCaption, "Close the editor; the changes not saved are lost"),
                           m_state.caption(dropNoTooltipCaption, "Go back to the editor, with the changes")},
                          this);
        question.exec();
        if (m_state.inputAnswer != 1)
            return;
    }
    QDialog::reject();
}

void frmLang::saveLanguage()
{
    for (;;) {
        const QString typed = m_dialogs.textInput(
            m_state.caption(nameCaption),
            m_state.caption(namePromptCaption, "Type the name of the new language, as the language menu will "
                                               "show it (for example Deutsch):"));
        if (typed.isEmpty())
            return;
        const QString target = targetFor(typed.trimmed());
        if (target.isEmpty())
            continue;
        const WriteResult written = TextFile::writeLines(target, Text1->toPlainText().split(u'\n'));
        if (!written.ok()) {
            m_dialogs.message(m_state.caption(saveFailedCaption, "The language file could not be saved:") % u'\n' %
                              written.message());
            return;
        }
        // What is saved is safe: closing now asks nothing, until the next key.
        m_state.langModified = false;
        m_savedFile = target;
        showTitle();
        emit languageSaved(QFileInfo(target).fileName());
        m_dialogs.message(m_state.caption(savedCaption, "The new language is saved, and the Language menu offers it:") %
                          u'\n' % QDir::toNativeSeparators(target));
        return;
    }
}

QString frmLang::targetFor(const QString &name)
{
    switch (LanguageName::check(name)) {
    case LanguageName::Verdict::Empty:
        m_dialogs.message(m_state.caption(emptyNameCaption, "Please give the new language a name."));
        return QString();
    case LanguageName::Verdict::ForbiddenCharacter: {
        QStringList shown;
        for (const QChar c : LanguageName::forbiddenCharacters)
            shown << QString(c);
        m_dialogs.message(m_state.caption(forbiddenCharacterCaption,
                                          "A language name cannot hold any of these characters:") %
                          u'\n' % shown.join(u' '));
        return QString();
    }
    case LanguageName::Verdict::ControlCharacter:
        m_dialogs.message(m_state.caption(controlCharacterCaption, "A language name cannot hold control characters."));
        return QString();
    case LanguageName::Verdict::Valid:
        break;
    }
    // A language of that name, whatever its case, is replaced in its own file, never doubled.
    const QString existing = LanguageName::existingFile(QDir(m_state.appFolder.path(u"\\Languages")), name);
    if (existing.isEmpty())
        return m_state.appFolder.path(LanguageName::fileName(name));
    const bool replace = m_dialogs.question(
        m_state.caption(replaceCaption, "This language file exists already. Replace it?") % u'\n' %
            QDir::toNativeSeparators(existing),
        UserDialogs::Default::No);
    return replace ? existing : QString();
}
