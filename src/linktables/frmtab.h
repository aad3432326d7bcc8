#pragma once

#include <QDialog>
#include <array>
#include <memory>

class CommandBar;
class CommandCatalogue;
class LinkGridModel;
class LinkGridView;
class LinkTabStrip;
class LinkTable;
class QLabel;
class QLineEdit;
class QModelIndex;
class UserDialogs;
struct ProgramState;
struct TabLayout;
class TableTitleBox;

// The link-table window: seven strips of fifteen tabs select one of the 105 tables, the grid
// shows its links, and the two bars add the main window's page, edit, sort, save, rename and
// open a link. Its only result is chosenAddress. It has no title bar: lblMove drags it.
class frmTab : public QDialog
{
    Q_OBJECT
public:
    static constexpr int tableGroupCount = 7;
    static constexpr int tablesPerGroup = 15;
    static constexpr int titleCaption = 33;
    static constexpr int unsavedCaption = 101;
    static constexpr int tableNotSavedCaption = 235;
    static constexpr int indexNotSavedCaption = 236;

    // addressBoxText: the main window's address box as it reads now.
    frmTab(ProgramState &state, UserDialogs &dialogs, const CommandCatalogue &catalogue,
           const QString &addressBoxText, QWidget *parent = nullptr);
    ~frmTab() override;

    LinkTable &table() { return *m_table; }
    LinkGridModel &model() { return *m_model; }
    int currentGroup() const { return m_currentGroup; }

    void Load_Group();
    void Column_Titles();
    void GO_Grid();
    void Read_Table();
    // false, the user told why, when the table or the index could not be written.
    bool Save_Table();
    bool Save_Title();
    void Edit_URL();
    void GO_Exit();

    // Controls.
    QWidget *PicLab;
    std::array<CommandBar *, 2> cmdBar{};
    QLabel *Label1;
    QLineEdit *Text1;
    QLabel *lblMove;
    std::array<LinkTabStrip *, tableGroupCount> TabF{};
    LinkGridView *GridList;

public slots:
    void cmdBar_ButtonClick(int instance, const QString &key);
    void TabF_Click(int group, int tab);
    void GridList_Click(const QModelIndex &index);
    void GridList_DblClick(const QModelIndex &index);
    // Every way of closing asks about a stored row that could not be saved.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    // The window system's close is the user's; the program closing its windows as it ends (a
    // signal, the end of the session) asks nothing, and says what failed on standard error.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(const CommandCatalogue &catalogue);
    TabLayout layoutFor(double innerWidth, double innerHeight) const;
    void applyLayout(const TabLayout &layout);
    void nameControls();
    // Before rows held but not saved are let go (closing, another table), the user may save them.
    void askToSaveUnsaved();
    void closeWindow();
    // The window's place as the window settings keep it, at every move and resize, so that an
    // ending that saves the settings while the window is open keeps where it was.
    void storeGeometry();
    // A failure told to the user, or on standard error when nobody is there to read it.
    void report(const QString &text);
    void sortCommand();
    void chooseRow(int row);
    void openHelp();
    void saveAndReload();

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    const CommandCatalogue &m_catalogue;
    QString m_addressBoxText;
    std::unique_ptr<LinkTable> m_table;
    LinkGridModel *m_model = nullptr;
    std::unique_ptr<TableTitleBox> m_titleBox;
    int m_currentGroup = 0;
    bool m_unattended = false;
};
