#pragma once

#include <QDialog>

class CommandBar;
class CommandCatalogue;
class QPlainTextEdit;
class UserDialogs;
struct ProgramState;

// The language editor: the English language file as plain text, to be translated in place and
// saved as "\Languages\Lang_<name>.Txt", a language the LANG menu offers from the next start.
class frmLang : public QDialog
{
    Q_OBJECT
public:
    static constexpr int barInstance = 5;
    static constexpr int titleCaption = 209;
    static constexpr int exitCaption = 210;
    static constexpr int saveCaption = 128;
    static constexpr int nameCaption = 211;
    static constexpr int namePromptCaption = 381;
    static constexpr int emptyNameCaption = 242;
    static constexpr int forbiddenCharacterCaption = 243;
    static constexpr int controlCharacterCaption = 244;
    static constexpr int replaceCaption = 245;
    static constexpr int saveFailedCaption = 246;
    static constexpr int textCaption = 358;
    static constexpr int exitTooltipCaption = 502;
    static constexpr int saveTooltipCaption = 503;
    static constexpr int savedCaption = 506;
    static constexpr int dropCaption = 507;
    static constexpr int dropYesTooltipCaption = 508;
    static constexpr int dropNoTooltipCaption = 509;
    static inline const QString englishFile = QStringLiteral("\\Languages\\Lang_English.txt");

    frmLang(ProgramState &state, const CommandCatalogue &catalogue, UserDialogs &dialogs, QWidget *parent = nullptr);

    CommandBar *cmdBar;
    QPlainTextEdit *Text1;

signals:
    // A language file was written; its name, as the language folder lists it.
    void languageSaved(const QString &fileName);

public slots:
    // Closing the window in any way asks first when a key was typed, as "EXIT3" does.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The user's close asks like "EXIT3"; the program closing its windows at shutdown does not wait.
    void closeEvent(QCloseEvent *event) override;

private:
    void applyCaptions();
    // "New language", and after a save the file the text went to.
    void showTitle();
    void loadEnglish();
    void cmdBar_ButtonClick(int instance, const QString &key);
    void saveLanguage();
    // The file a name is saved to after the user agreed; empty to ask for another name.
    QString targetFor(const QString &typed);

    ProgramState &m_state;
    const CommandCatalogue &m_catalogue;
    UserDialogs &m_dialogs;
    // The file last saved in this window.
    QString m_savedFile;
};
