#include "frmstart.h"

#include "browsing/addressrules.h"
#include "browsing/history.h"
#include "browsing/navigator.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "commands/languagefile.h"
#include "core/programstate.h"
#include "firstruninstall.h"
#include "mainlayout.h"
#include "platform/twips.h"
#include "platform/userdialogs.h"
#include "settings/optionsfile.h"
#include "travel/travelengine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

frmStart::frmStart(ProgramState &state, UserDialogs &dialogs, DesktopShell &shell, QWidget *parent)
    : QWidget(parent), m_state(state), m_dialogs(dialogs), m_shell(shell)
{
    setWindowTitle(QStringLiteral("TamzoTravel"));
    buildControls();
    m_tabs = std::make_unique<TabSet>(m_state, m_dialogs, Tab1, this);
    m_tabs->setBandHeights(MainLayout::picBarHeight, MainLayout::picStatHeight);
    connect(m_tabs.get(), &TabSet::layoutRequested, this, &frmStart::Form_Resize);
    m_history = std::make_unique<History>(m_state, Text1);
    m_navigator = std::make_unique<Navigator>(m_state, *m_tabs, *m_history, Text1, statusBar, progressBar);
    m_travel = std::make_unique<TravelEngine>(m_state, *m_tabs, Text1, timeBar, m_shell);

    Timer4.setSingleShot(true);
    connect(&Timer4, &QTimer::timeout, this, &frmStart::Timer4_Timer);
}

frmStart::~frmStart() = default;

void frmStart::buildControls()
{
    picBar = new QWidget(this);
    cmdBar0 = new QToolBar(picBar);
    cmdBar1 = new QWidget(picBar);
    cmdBar2 = new QToolBar(picBar);
    Tab1 = new TabStrip(cmdBar1);
    Text1 = new QComboBox(cmdBar1);
    Text1->setEditable(true);
    Text1->setMaxVisibleItems(30);

    picStat = new QWidget(this);
    cmdMoveL = new QToolButton(picStat);
    statusBar = new QLabel(picStat);
    statusBar->setTextFormat(Qt::PlainText);
    timeBar = new QLabel(picStat);
    timeBar->setTextFormat(Qt::PlainText);
    timeBar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    progressBar = new QProgressBar(picStat);
    progressBar->setTextVisible(false);
    cmdMove = new QToolButton(picStat);
    for (QLabel *field : {statusBar, timeBar})
        field->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

QString frmStart::todayDateFrom(const QDate &date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

bool frmStart::Move_Data()
{
    const QString failure = FirstRunInstall::Move_Data(m_state.appFolder);
    if (failure.isEmpty())
        return true;
    m_dialogs.message(failure, UserDialogs::Icon::Critical);
    return false;
}

void frmStart::Read_Lang()
{
    const LanguageFile::ReadResult read = LanguageFile::Read_Lang(m_state);
    if (read.tabNumber)
        m_tabs->setTabCount(*read.tabNumber);
    m_tabs->clearCaptions();
}

bool frmStart::Form_Load()
{
    if (FirstRunInstall::pending(m_state.appFolder) && !Move_Data())
        return false;

    m_state.todayDate = todayDateFrom(QDate::currentDate());
    m_state.linkSlotsPerGroup = 30;
    m_state.linkGroupCount = 5;
    m_state.captureCount = 0;
    m_state.exportAlpha = 205;
    m_state.opaqueAlpha = 255;

    if (const WriteResult created = OptionsFile::Read_Opt(m_state); !created.ok())
        m_dialogs.message(created.message());
    Read_Lang();
    m_state.tabAddresses = QStringList(m_tabs->TabCount(), QString());

    m_state.barsShown = true;
    m_history->Hyst_Read();
    placeWindow();

    for (int i = 0; i < m_tabs->TabCount(); ++i)
        m_tabs->Set_Web(i);
    m_state.currentAddress.clear();
    progressBar->setRange(0, 100);
    progressBar->setValue(0);

    if (m_state.startAddress.isEmpty())
        m_state.startAddress = ProgramState::defaultStartAddress;
    for (int i = 0; i < m_tabs->viewCount(); ++i)
        m_tabs->Web(i)->setHomeAddress(m_state.startAddress);
    Text1->setEditText(m_state.startAddress);

    m_tabs->setActiveTab(0);
    m_state.tabAddresses[0] = m_state.startAddress;
    m_state.currentAddress = m_state.startAddress;
    m_tabs->Web(0)->Navigate(m_state.startAddress);
    QString caption = m_state.startAddress;
    AddressRules::TabCaptionFromAddress(caption);
    m_tabs->setTabCaption(0, caption);
    m_tabs->showActiveViewOnly();

    Timer4.start(deferredStartMs);
    m_navigator->Timer5.setInterval(Navigator::syncIntervalMs);
    m_loaded = true;
    Form_Resize();
    return true;
}

void frmStart::placeWindow()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(screen);
}

void frmStart::Timer4_Timer()
{
    Timer4.stop();
    m_state.templatePath = m_state.appFolder.path(QStringLiteral("\\Data\\Template.Doc"));
    m_state.templatePathH = m_state.appFolder.path(QStringLiteral("\\Data\\TemplateH.Doc"));
    if (const WriteResult emptied = m_travel->emptyLog(); !emptied.ok())
        m_dialogs.message(emptied.message());
}

void frmStart::Form_Resize()
{
    if (!m_loaded || m_state.layoutFrozen == 1)
        return;
    const MainLayout l = MainLayout::compute(Twips::fromPixels(width()), Twips::fromPixels(height()),
                                             m_state.tabWidth);
    const auto place = [](QWidget *control, const QRectF &r) {
        control->setGeometry(Twips::toPixels(r.left(), r.top(), std::max(0.0, r.width()),
                                             std::max(0.0, r.height())));
    };
    place(picBar, l.picBar);
    place(cmdBar0, l.cmdBar0);
    place(cmdBar1, l.cmdBar1);
    place(cmdBar2, l.cmdBar2);
    place(Tab1, l.tab1);
    place(Text1, l.text1);
    place(picStat, l.picStat);
    place(cmdMoveL, l.cmdMoveL);
    place(statusBar, l.statusBar);
    place(timeBar, l.timeBar);
    place(progressBar, l.progressBar);
    place(cmdMove, l.cmdMove);
    m_tabs->Set_Web(m_tabs->ActiveTab());
}

void frmStart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmStart::closeEvent(QCloseEvent *event)
{
    GO_Exit();
    event->accept();
}

void frmStart::GO_Exit()
{
    if (m_exiting)
        return;
    m_exiting = true;

    // Each save is tried whatever became of the others; a failed one leaves its old file whole.
    QStringList failures;
    for (const WriteResult &saved : {OptionsFile::Save_Opt(m_state), m_history->Hyst_Save()}) {
        if (!saved.ok())
            failures.append(saved.message());
    }
    if (!failures.isEmpty())
        m_dialogs.message(m_state.caption(saveFailedCaption) % u'\n' % failures.join(u'\n'));

    m_tabs->activeView()->Stop();
    hide();
    deleteScratchFiles();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this)
            window->close();
    }
    close();
    QCoreApplication::quit();
}

void frmStart::deleteScratchFiles()
{
    for (const char *scratch : {"\\html.txt", "\\doc.txt"}) {
        const QString path = m_state.appFolder.path(QString::fromLatin1(scratch));
        if (QFile::exists(path))
            QFile::remove(path);
    }
}
