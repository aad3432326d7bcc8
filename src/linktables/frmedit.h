#pragma once

#include <QDialog>
#include <array>

class CommandBar;
class CommandCatalogue;
class LinkTable;
class QLabel;
class QLineEdit;
class UserDialogs;
struct ProgramState;

// The row editor of the link tables: the six fields of link row editRow in six boxes, the secret
// in clear. "SAVE3" stores the boxes in the row, "CANCEL" empties the row once the user agreed (the
// save that follows removes it); the link-table window saves the table when the editor has closed.
class frmEDit : public QDialog
{
    Q_OBJECT
public:
    static constexpr double designedWidth = 6345;
    static constexpr double designedHeight = 3180;
    static constexpr int titleCaption = 76;
    static constexpr int fieldRefusedCaption = 233;
    static constexpr int titleMissingCaption = 234;
    static constexpr int deleteCaption = 237;

    frmEDit(ProgramState &state, UserDialogs &dialogs, const CommandCatalogue &catalogue, LinkTable &table,
            QWidget *parent = nullptr);

    // Controls; Lab and Txt are used from 1 to 6.
    CommandBar *cmdBar9;
    QWidget *imgTitle;
    QWidget *imgBkg;
    std::array<QLabel *, 7> Lab{};
    std::array<QLineEdit *, 7> Txt{};

public slots:
    void cmdBar_ButtonClick(int instance, const QString &key);
    void done(int result) override;

protected:
    // Where the editor is, kept as it moves: an ending that saves the window settings while the
    // editor is open keeps its place too.
    void moveEvent(QMoveEvent *event) override;

private:
    void placeWindow();
    void storePosition();
    bool storeRow();

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    LinkTable &m_table;
};
