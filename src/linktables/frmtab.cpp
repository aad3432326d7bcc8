#include "frmtab.h"

#include "bookmarkcommands.h"
#include "browsing/documentwindow.h"
#include "commands/accessibletext.h"
#include "commands/barkeys.h"
#include "commands/commandbar.h"
#include "core/programstate.h"
#include "linktables/frmedit.h"
#include "linkgridmodel.h"
#include "linkgridview.h"
#include "linkicons.h"
#include "linkindex.h"
#include "linktable.h"
#include "linktablegeometry.h"
#include "linktabstrip.h"
#include "platform/edgeresizer.h"
#include "platform/twips.h"
#include "platform/userdialogs.h"
#include "settings/windowsettings.h"
#include "tablayout.h"
#include "tabletitlebox.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>

namespace {

constexpr int moveCaption = 215;
constexpr int gridCaption = 351;
constexpr int titleBoxCaption = 352;
constexpr int stripCaption = 353;
constexpr int headerCaptions[LinkGridModel::columns] = {64, 65, 0, 67, 68, 69, 73};

const struct
{
    const char *key;
    int caption;
} tooltips[] = {
    {"EXIT5", 32}, {"ADDURL", 75}, {"EDITURL", 76}, {"GOURL", 78}, {"SORT", 81},
    {"SAVE2", 82}, {"HELP2", 83},  {"TITLE", 77},   {"EXIT6", 32},
};

} // namespace

frmTab::frmTab(ProgramState &state, UserDialogs &dialogs, const CommandCatalogue &catalogue,
               const QString &addressBoxText, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_state(state), m_dialogs(dialogs),
      m_catalogue(catalogue), m_addressBoxText(addressBoxText), m_table(std::make_unique<LinkTable>(state))
{
    setWindowTitle(m_state.caption(titleCaption));
    // Without a frame, the window's own edges resize it.
    winId();
    new EdgeResizer(windowHandle());
    m_model = new LinkGridModel(*m_table, this);
    buildControls(catalogue);

    m_state.linkWindowReady = false;
    m_titleBox->close();
    m_currentGroup = 0;
    Load_Group();
    setGeometry(LinkTableGeometry::opening(m_state));

    const QSizeF screen = LinkTableGeometry::screenTwips();
    const double rowHeight = Twips::fromPixels(GridList->verticalHeader()->defaultSectionSize());
    m_state.minGridRows = static_cast<qint16>(screen.height() / rowHeight * 0.75);
    // The grid's rows count its header row.
    m_model->setMinimumRows(m_state.minGridRows - 1);

    applyLayout(layoutFor(TabLayout::designedWidth, TabLayout::designedHeight));
    WindowSettings::Read_Ini(m_state, screen);
    Label1->setText(m_state.caption(titleCaption));

    for (int g = 0; g < tableGroupCount; ++g)
        TabF[g]->setShownTab(g == 0 ? 0 : -1);
    LinkIndex::selectTable(m_state, 0);
    GO_Grid();
    Read_Table();
    m_state.linkWindowReady = true;
}

// The grid reads the table through its model while it is shown, and a window can go while shown
// (the program ending during it): grid and model go before the table.
frmTab::~frmTab()
{
    delete GridList;
    delete m_model;
}

void frmTab::buildControls(const CommandCatalogue &catalogue)
{
    PicLab = new QWidget(this);
    cmdBar[0] = new CommandBar(catalogue, QStringLiteral("TAB0"), 0, &LinkIcons::tableIcon, PicLab);
    Label1 = new QLabel(PicLab);
    // A press on the title goes through to the drag label beneath it.
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblMove = new QLabel(PicLab);
    lblMove->setCursor(Qt::SizeAllCursor);
    lblMove->setToolTip(m_state.caption(moveCaption));
    lblMove->installEventFilter(this);
    Text1 = new QLineEdit(PicLab);
    Text1->setObjectName(QStringLiteral("Text1"));
    m_titleBox = std::make_unique<TableTitleBox>(m_state, m_dialogs, Text1, [this] { return Save_Title(); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] { m_titleBox->enter(); });
    cmdBar[1] = new CommandBar(catalogue, QStringLiteral("TAB1"), 1, &LinkIcons::tableIcon, PicLab);
    for (CommandBar *bar : cmdBar) {
        bar->applyStyle(1);
        bar->setCaption(QStringLiteral("IMPORT"), m_state.caption(BookmarkCommands::importCaption, "Import bookmarks"));
        bar->setCaption(QStringLiteral("EXPORT"), m_state.caption(BookmarkCommands::exportCaption, "Export bookmarks"));
        for (const auto &tip : tooltips)
            bar->setTooltip(QString::fromLatin1(tip.key), m_state.caption(tip.caption));
        bar->setTooltip(QStringLiteral("IMPORT"),
                        m_state.caption(BookmarkCommands::importTooltip,
                                        "Import a browser's bookmarks file (HTML) into the link tables"));
        bar->setTooltip(QStringLiteral("EXPORT"),
                        m_state.caption(BookmarkCommands::exportTooltip,
                                        "Export this table or all the tables to a bookmarks file (HTML) that browsers "
                                        "import"));
        connect(bar, &CommandBar::clicked, this, &frmTab::cmdBar_ButtonClick);
    }
    lblMove->lower();
    cmdBar[0]->lower();

    for (int g = 0; g < tableGroupCount; ++g) {
        TabF[g] = new LinkTabStrip(this);
        TabF[g]->setObjectName(QStringLiteral("TabF%1").arg(g));
        for (int t = 0; t < tablesPerGroup; ++t)
            TabF[g]->addTab(QString());
        connect(TabF[g], &QTabBar::tabBarClicked, this, [this, g](int tab) { TabF_Click(g, tab); });
    }

    GridList = new LinkGridView(m_model, this);
    GridList->setObjectName(QStringLiteral("GridList"));
    connect(GridList, &QTableView::clicked, this, &frmTab::GridList_Click);
    connect(GridList, &QTableView::doubleClicked, this, &frmTab::GridList_DblClick);
    nameControls();
    new BarKeys(this, {cmdBar[0], cmdBar[1]}, [this] { GridList->setFocus(Qt::ShortcutFocusReason); });
}

// Controls without a caption of their own, as screen readers announce them.
void frmTab::nameControls()
{
    AccessibleText::describe(GridList, m_state.caption(gridCaption, "Links of the table"), QString());
    AccessibleText::describe(Text1, m_state.caption(titleBoxCaption, "Table title"), QString());
    AccessibleText::describe(lblMove, lblMove->toolTip(), lblMove->toolTip());
    for (LinkTabStrip *strip : TabF)
        AccessibleText::describe(strip, m_state.caption(stripCaption, "Link tables"), QString());
    for (CommandBar *bar : cmdBar) {
        AccessibleText::describe(bar, m_state.caption(BarKeys::barsCaption, BarKeys::barsEnglish),
                                 m_state.caption(BarKeys::keysCaption, BarKeys::keysEnglish));
    }
}

TabLayout frmTab::layoutFor(double innerWidth, double innerHeight) const
{
    return TabLayout::compute(innerWidth, innerHeight, Twips::fromPixels(cmdBar[0]->sizeHint().width()),
                              Twips::fromPixels(cmdBar[1]->sizeHint().width()));
}

void frmTab::applyLayout(const TabLayout &l)
{
    TabLayout::Controls controls{PicLab, cmdBar[0], cmdBar[1], Label1, Text1, lblMove, {}, GridList};
    std::copy(TabF.begin(), TabF.end(), controls.strips.begin());
    l.applyTo(controls, Twips::fromPixels(TabF[0]->sizeHint().height()));
}

void frmTab::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    storeGeometry();
    const double innerWidth = Twips::fromPixels(width());
    if (innerWidth < TabLayout::minimumWidth || isMinimized())
        return;
    applyLayout(layoutFor(innerWidth, Twips::fromPixels(height())));
}

void frmTab::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    storeGeometry();
}

void frmTab::storeGeometry()
{
    if (isVisible())
        LinkTableGeometry::store(m_state, geometry());
}

void frmTab::report(const QString &text) { m_dialogs.tell(text, !m_unattended); }

void frmTab::Load_Group()
{
    for (int g = 0; g < tableGroupCount; ++g) {
        for (int t = 0; t < tablesPerGroup; ++t) {
            TabF[g]->setTitle(t, m_state.linkIndex[g * tablesPerGroup + t + 1].title);
        }
    }
}

void frmTab::Column_Titles()
{
    QStringList headers;
    for (int caption : headerCaptions)
        headers << m_state.caption(caption);
    m_model->setHeaders(headers);
}

void frmTab::GO_Grid() { GridList->fitColumns(); }

void frmTab::Read_Table()
{
    Column_Titles();
    m_table->Read_Table();
    m_model->reload();
    GridList->fitColumns();
}

bool frmTab::Save_Table()
{
    const WriteResult saved = m_table->Save_Table();
    Load_Group();
    if (!saved.ok())
        report(m_state.caption(tableNotSavedCaption, "The link table could not be saved:") % u'\n' % saved.message());
    return saved.ok();
}

bool frmTab::Save_Title()
{
    const WriteResult saved = LinkIndex::Save_Title(m_state);
    Load_Group();
    if (!saved.ok())
        report(m_state.caption(indexNotSavedCaption, "The table titles could not be saved:") % u'\n' % saved.message());
    return saved.ok();
}

void frmTab::saveAndReload()
{
    // After a failed save the rows stay as they are, to be saved again.
    if (Save_Table())
        Read_Table();
    else
        m_model->reload();
}

void frmTab::cmdBar_ButtonClick(int, const QString &key)
{
    if (key == u"EXIT5" || key == u"EXIT6") {
        closeWindow();
    } else if (key == u"ADDURL") {
        m_table->ADD_Tab(m_state.pageTitle, m_state.currentAddress, m_addressBoxText);
        saveAndReload();
    } else if (key == u"EDITURL") {
        Edit_URL();
    } else if (key == u"GOURL") {
        chooseRow(GridList->currentRow());
    } else if (key == u"SORT") {
        sortCommand();
    } else if (key == u"SAVE2") {
        saveAndReload();
    } else if (key == u"HELP2") {
        openHelp();
    } else if (key == u"TITLE") {
        m_titleBox->toggle();
    } else if (key == u"IMPORT") {
        askToSaveUnsaved();
        BookmarkCommands(m_state, m_dialogs).importFile();
        Load_Group();
        Read_Table();
    } else if (key == u"EXPORT") {
        askToSaveUnsaved();
        BookmarkCommands(m_state, m_dialogs).exportFile();
    }
}

void frmTab::TabF_Click(int group, int tab)
{
    if (!m_state.linkWindowReady || tab < 0)
        return;
    askToSaveUnsaved();
    m_currentGroup = group;
    for (int g = 0; g < tableGroupCount; ++g)
        TabF[g]->setShownTab(g == group ? tab : -1);
    LinkIndex::selectTable(m_state, group * tablesPerGroup + tab);
    Read_Table();
}

void frmTab::GridList_Click(const QModelIndex &index)
{
    if (index.column() != LinkGridModel::secretColumn)
        return;
    m_state.clickedRow = index.row() + 1;
    m_model->toggleSecret(m_state.clickedRow);
}

void frmTab::GridList_DblClick(const QModelIndex &index)
{
    m_state.clickedRow = index.row() + 1;
    if (!m_table->isLinkRow(m_state.clickedRow))
        return;
    if (GridList->currentIndex().column() == LinkRow::Title && GridList->selectionEndColumn() == LinkRow::Date)
        Edit_URL();
    else if (index.column() == LinkRow::Title || index.column() == LinkRow::Typed)
        chooseRow(m_state.clickedRow);
}

void frmTab::chooseRow(int row)
{
    if (!m_table->isLinkRow(row))
        return;
    m_state.chosenAddress = m_table->row(row)[LinkRow::Address];
    closeWindow();
}

void frmTab::Edit_URL()
{
    const int row = GridList->currentRow();
    if (!m_table->isLinkRow(row))
        return;
    m_state.editRow = row;
    {
        frmEDit editor(m_state, m_dialogs, m_catalogue, *m_table, this);
        editor.exec();
    }
    saveAndReload();
    m_state.editRow = 0;
}

void frmTab::sortCommand()
{
    const int column = GridList->selectionEndColumn();
    m_table->sortBy(column);
    m_model->showSorted();
    GridList->setCurrentIndex(m_model->index(0, column == LinkRow::Address ? column : LinkRow::Title));
}

void frmTab::openHelp()
{
    const QString help = m_state.appFolder.path(QString(u"\\Data\\TamzoGOTab" % m_state.langCode % u".pdf"));
    // A missing help document is not reported. This window is modal: the help opens in a window of
    // its own above it, where the user can read it while the tables stay open.
    if (QFile::exists(help))
        DocumentWindow::showDocument(help, this);
}

void frmTab::reject() { closeWindow(); }

void frmTab::closeEvent(QCloseEvent *event)
{
    if (!event->spontaneous())
        m_unattended = true;
    QDialog::closeEvent(event);
}

// A save that fails again is reported; what it could not save is then let go. An ending nobody
// attends tries the save once more without asking.
void frmTab::askToSaveUnsaved()
{
    if (m_state.tableModified != 1)
        return;
    if (m_unattended || m_dialogs.question(m_state.caption(unsavedCaption)))
        Save_Table();
    m_state.tableModified = 0;
}

void frmTab::closeWindow()
{
    askToSaveUnsaved();
    GO_Exit();
}

void frmTab::GO_Exit()
{
    storeGeometry();
    Save_Title();
    QDialog::done(QDialog::Accepted);
}

bool frmTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblMove && event->type() == QEvent::MouseButtonPress) {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
