#include "frminput.h"

#include "commands/commandbar.h"
#include "core/programstate.h"
#include "platform/twips.h"
#include "themedicon.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

frmInput::frmInput(ProgramState &state, const CommandCatalogue &catalogue, const Question &question, QWidget *parent)
    : QDialog(parent), m_state(state)
{
    setWindowTitle(QStringLiteral("TamzoTravel"));
    setModal(true);
    const auto icons = [](int index) {
        return index == 0 ? themedIcon("dialog-ok", QStyle::SP_DialogYesButton)
                          : themedIcon("dialog-cancel", QStyle::SP_DialogNoButton);
    };
    cmdBar = new CommandBar(catalogue, QStringLiteral("STANDARD6"), barInstance, icons, this);
    cmdBar->showCaptions(true);
    cmdBar->applyStyle(m_state.barStyle);
    labTitle = new QLabel(cmdBar);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    labTitle->setTextFormat(Qt::PlainText);
    labTitle->setAlignment(Qt::AlignCenter);
    labTitle->setContentsMargins(8, 0, 8, 0);
    cmdBar->hostInPanel(QStringLiteral("NIL6"), labTitle);
    connect(cmdBar, &CommandBar::clicked, this, &frmInput::cmdBar_ButtonClick);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdBar);
    applyCaptions(question);
    setMinimumWidth(Twips::toPixels(widthTwips));
    // A question longer than the designed width widens the box: both answers stay on the bar.
    resize(std::max(Twips::toPixels(widthTwips), sizeHint().width()), sizeHint().height());
}

void frmInput::applyCaptions(const Question &question)
{
    cmdBar->setCaption(QStringLiteral("OKYES"), m_state.caption(yesCaption));
    cmdBar->setCaption(QStringLiteral("OKNO"), m_state.caption(noCaption));
    cmdBar->setTooltip(QStringLiteral("OKYES"), question.yesTooltip);
    cmdBar->setTooltip(QStringLiteral("OKNO"), question.noTooltip);
    labTitle->setText(question.text);
}

void frmInput::cmdBar_ButtonClick(int instance, const QString &key)
{
    if (instance != barInstance)
        return;
    if (key == u"OKYES")
        m_state.inputAnswer = 1;
    else if (key == u"OKNO")
        m_state.inputAnswer = 0;
    accept();
}
