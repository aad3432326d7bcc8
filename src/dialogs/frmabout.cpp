#include "frmabout.h"

#include "commands/commandbar.h"
#include "core/programstate.h"
#include "core/version.h"
#include "usermanual.h"
#include "themedicon.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

frmAbout::frmAbout(ProgramState &state, const CommandCatalogue &catalogue, UserDialogs &dialogs,
                   DesktopShell &shell, QWidget *parent)
    : QDialog(parent), m_state(state), m_dialogs(dialogs), m_shell(shell)
{
    setWindowTitle(m_state.caption(196));
    setModal(true);
    const auto icons = [](int index) {
        return index == 0 ? themedIcon("dialog-ok", QStyle::SP_DialogOkButton)
                          : themedIcon("help-browser", QStyle::SP_DialogHelpButton);
    };
    cmdBar = new CommandBar(catalogue, QStringLiteral("STANDARD7"), barInstance, icons, this);
    cmdBar->showCaptions(true);
    cmdBar->applyStyle(m_state.barStyle);
    cmdBar->setCaption(QStringLiteral("ABOUTOK"), m_state.caption(okCaption));
    cmdBar->setCaption(QStringLiteral("ABOUTHELP"), m_state.caption(helpCaption));
    cmdBar->setTooltip(QStringLiteral("ABOUTOK"), m_state.caption(okTooltipCaption, "Close this box"));
    cmdBar->setTooltip(QStringLiteral("ABOUTHELP"), m_state.caption(helpTooltipCaption, "Open the user manual"));
    connect(cmdBar, &CommandBar::clicked, this, &frmAbout::cmdBar_ButtonClick);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(cmdBar);
    lblTitle = addLabel("lblTitle", QStringLiteral("TamzoTravel"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = addLabel("lblVersion", versionLine(m_state.caption(versionCaption), programVersion()));
    lblEngine = addLabel("lblEngine", engineLine(m_state.caption(engineCaption, "Web engine:"),
                                                 m_state.caption(securityCaption, "security fixes up to Chromium")));
    lbDescr = addLabel("lbDescr", m_state.caption(firstDescriptionCaption));
    lbDescr2 = addLabel("lbDescr2", m_state.caption(secondDescriptionCaption));
    lblDescription = addLink("lblDescription", m_state.caption(visitCaption));
    // The second link names the manual it opens.
    const QString manual = UserManual::path(m_state);
    lbSite = addLink("lbSite", QFileInfo(manual).fileName());
    lbSite->setVisible(!manual.isEmpty());
    lblDisclaimer = addLabel("lblDisclaimer", m_state.caption(disclaimerCaption));
    setMinimumWidth(420);
}

QLabel *frmAbout::addLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setContentsMargins(16, 2, 16, 2);
    layout()->addWidget(label);
    return label;
}

QLabel *frmAbout::addLink(const char *name, const QString &text)
{
    QLabel *label = addLabel(name, QString());
    label->setTextFormat(Qt::RichText);
    label->setText(u"<a href=\"manual\">" % text.toHtmlEscaped() % u"</a>");
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    connect(label, &QLabel::linkActivated, this, &frmAbout::openManual);
    return label;
}

QString frmAbout::versionLine(const QString &word, const QString &version)
{
    QStringList numbers;
    for (const QString &part : version.split(u'.'))
        numbers << QString::number(part.toInt());
    while (numbers.size() < 3)
        numbers << QStringLiteral("0");
    return word % u' ' % numbers.mid(0, 3).join(u'.');
}

// The engine the distribution brought, as it names itself at run time.
QString frmAbout::engineLine(const QString &word, const QString &securityWords)
{
    return word % u" Qt WebEngine " % QString::fromLatin1(qWebEngineVersion()) % u", Chromium " %
           QString::fromLatin1(qWebEngineChromiumVersion()) % u" (" % securityWords % u' ' %
           QString::fromLatin1(qWebEngineChromiumSecurityPatchVersion()) % u')';
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    adjustSize();
    QRect frame = frameGeometry();
    frame.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    move(frame.topLeft());
}

void frmAbout::openManual() { UserManual::open(m_state, m_shell, m_dialogs); }

void frmAbout::cmdBar_ButtonClick(int instance, const QString &key)
{
    if (instance != barInstance)
        return;
    if (key == u"ABOUTHELP")
        openManual();
    accept();
}
