#include "frminput.h"

#include "commands/commandbar.h"
#include "core/programstate.h"
#include "platform/twips.h"
#include "themedicon.h"

#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
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

QToolButton *frmInput::answer(const char *key) const
{
    return qobject_cast<QToolButton *>(cmdBar->widgetForAction(cmdBar->action(QLatin1String(key))));
}

void frmInput::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    answer("OKNO")->setFocus(Qt::ActiveWindowFocusReason);
}

// The bar's buttons take no focus of their own: the keyboard goes from one answer to the other.
// The box's own focus says which answer is chosen; it holds even before the box is activated.
bool frmInput::focusNextPrevChild(bool)
{
    (focusWidget() == answer("OKNO") ? answer("OKYES") : answer("OKNO"))->setFocus(Qt::TabFocusReason);
    return true;
}

void frmInput::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        focusNextPrevChild(true);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        for (const char *key : {"OKYES", "OKNO"}) {
            if (focusWidget() == answer(key))
                return answer(key)->click();
        }
        return;
    default:
        QDialog::keyPressEvent(event);
    }
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
