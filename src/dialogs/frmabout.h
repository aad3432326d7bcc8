#pragma once

#include <QDialog>

class CommandBar;
class CommandCatalogue;
class DesktopShell;
class QLabel;
class UserDialogs;
struct ProgramState;

// The about box: the program's title, its version, the web engine's and a few lines of the
// language file. Its
// links and its help button open the user manual of the current language.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    static constexpr int barInstance = 7;
    static constexpr int visitCaption = 197;
    static constexpr int versionCaption = 198;
    static constexpr int firstDescriptionCaption = 199;
    static constexpr int secondDescriptionCaption = 200;
    static constexpr int disclaimerCaption = 202;
    static constexpr int okCaption = 204;
    static constexpr int helpCaption = 205;
    static constexpr int okTooltipCaption = 504;
    static constexpr int helpTooltipCaption = 505;
    static constexpr int engineCaption = 444;
    static constexpr int securityCaption = 445;

    frmAbout(ProgramState &state, const CommandCatalogue &catalogue, UserDialogs &dialogs, DesktopShell &shell,
             QWidget *parent = nullptr);

    // The word of caption 198, a blank, then major.minor.revision without leading zeros.
    static QString versionLine(const QString &word, const QString &version);
    // The words of captions 444 and 445 around the web engine's versions and Chromium's.
    static QString engineLine(const QString &word, const QString &securityWords);

    CommandBar *cmdBar;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblEngine;
    QLabel *lbDescr;
    QLabel *lbDescr2;
    QLabel *lblDisclaimer;
    QLabel *lblDescription;
    QLabel *lbSite;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *addLabel(const char *name, const QString &text);
    QLabel *addLink(const char *name, const QString &text);
    void openManual();
    void cmdBar_ButtonClick(int instance, const QString &key);

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    DesktopShell &m_shell;
};
