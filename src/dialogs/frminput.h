#pragma once

#include <QDialog>

class CommandBar;
class CommandCatalogue;
class QLabel;
class QToolButton;
struct ProgramState;

// The yes/no box asked before unsaved edits are discarded, with the question its caller puts.
// The answer is left in inputAnswer: 1 after "OKYES", 0 after "OKNO", unchanged when the box is
// closed in any other way. "OKNO" has the keyboard when the box opens; Tab and the arrows move it
// to the other answer, and Enter answers with the button that has it.
class frmInput : public QDialog
{
    Q_OBJECT
public:
    static constexpr int barInstance = 6;
    static constexpr int widthTwips = 4100;
    static constexpr int yesCaption = 212;
    static constexpr int noCaption = 214;

    // What the box asks, and what each answer does, as the buttons' tooltips say.
    struct Question
    {
        QString text;
        QString yesTooltip;
        QString noTooltip;
    };

    frmInput(ProgramState &state, const CommandCatalogue &catalogue, const Question &question,
             QWidget *parent = nullptr);

    CommandBar *cmdBar;
    QLabel *labTitle;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void applyCaptions(const Question &question);
    QToolButton *answer(const char *key) const;
    void cmdBar_ButtonClick(int instance, const QString &key);

    ProgramState &m_state;
};
