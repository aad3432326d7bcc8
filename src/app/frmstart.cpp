#include "frmstart.h"

#include "browsing/addressrules.h"
#include "browsing/bookmark.h"
#include "browsing/documentshell.h"
#include "browsing/downloadhandler.h"
#include "browsing/findbar.h"
#include "browsing/history.h"
#include "browsing/navigator.h"
#include "browsing/newwindowpolicy.h"
#include "browsing/tabset.h"
#include "browsing/tabstrip.h"
#include "browsing/webview.h"
#include "language/captions.h"
#include "commands/commandbars.h"
#include "commands/commandcatalogue.h"
#include "commands/dispatcher.h"
#include "commands/imagelist.h"
#include "core/programstate.h"
#include "core/writefailure.h"
#include "platform/edgeresizer.h"
#include "commandwiring.h"
#include "firstruninstall.h"
#include "floatingbar.h"
#include "linktables/linkindex.h"
#include "linktables/linktables.h"
#include "maincontrols.h"
#include "mainlayout.h"
#include "platform/twips.h"
#include "platform/userdialogs.h"
#include "settings/optionsfile.h"
#include "settings/windowsettings.h"
#include "travel/travelengine.h"
#include "windowplacement.h"
#include "windowtitle.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <utility>

frmStart::frmStart(ProgramState &state, UserDialogs &dialogs, DesktopShell &shell, QWidget *parent)
    : QWidget(parent), m_state(state), m_dialogs(dialogs), m_shell(shell)
{
    setWindowTitle(QStringLiteral("TamzoTravel"));
    // The window has no title bar: its own handles move it, its own commands minimise and close it,
    // and its edges resize it.
    setWindowFlag(Qt::FramelessWindowHint);
    winId();
    new EdgeResizer(windowHandle());
    MainControls::build(*this);
    m_tabs = std::make_unique<TabSet>(m_state, m_dialogs, Tab1, this);
    m_tabs->setBandHeights(MainLayout::picBarHeight, MainLayout::picStatHeight);
    connect(m_tabs.get(), &TabSet::layoutRequested, this, &frmStart::Form_Resize);
    m_history = std::make_unique<History>(m_state, Text1);
    m_bookmark = std::make_unique<Bookmark>(m_state, *m_tabs, Text1);
    m_navigator = std::make_unique<Navigator>(m_state, *m_tabs, *m_history, Text1, statusBar, progressBar);
    m_travel = std::make_unique<TravelEngine>(m_state, *m_tabs, *m_navigator, timeBar, m_shell, m_dialogs);
    m_captions = std::make_unique<Captions>(
        m_state, Captions::Followers{[this](int tabCount) { m_tabs->setTabCount(tabCount); }, [this] {
                                         m_tabs->nameTabs();
                                         LinkIndex::nameEmptyTables(m_state);
                                     }});
    m_findBar = new FindBar(this);
    m_documents = std::make_unique<DocumentShell>(m_shell, *new NewWindowPolicy(*m_tabs, *m_navigator, Text1, this));
    auto *downloads = new DownloadHandler(m_state, m_dialogs, statusBar, progressBar, this);
    m_tabs->profile().setDownloadHandling(
        [downloads](QWebEngineDownloadRequest *download) { downloads->handle(download); });
    m_windowTitle = new WindowTitle(this, *m_tabs);

    m_floatingBar = new FloatingBar(m_state, *this, picStat, [this] { m_tabs->Set_Web(m_tabs->ActiveTab()); });
    connect(m_navigator.get(), &Navigator::addressBoxFocused, m_floatingBar, &FloatingBar::pause);
    connect(m_navigator.get(), &Navigator::navigated, m_floatingBar, &FloatingBar::resume);
    connect(m_travel.get(), &TravelEngine::stepDone, this, [this](const QString &opened) {
        if (opened.isEmpty())
            showStatus(m_state.caption(travelEndedCaption, "Travel stopped: the page has no web link to follow."));
    });
    Timer4.setSingleShot(true);
    connect(&Timer4, &QTimer::timeout, this, &frmStart::Timer4_Timer);
    firstShowTimer.setSingleShot(true);
    connect(&firstShowTimer, &QTimer::timeout, this, &frmStart::firstShowTimer_Timer);

    // F12 reaches the window wherever the keyboard focus is, the web view and address box included.
    auto *f12 = new QShortcut(QKeySequence(Qt::Key_F12), this);
    f12->setContext(Qt::WindowShortcut);
    connect(f12, &QShortcut::activated, this, [this] { WindowPlacement::fillScreen(*this); });
}

frmStart::~frmStart() = default;

void frmStart::buildCommands()
{
    CommandWiring::Commands made = CommandWiring::build(*this, {m_state, m_dialogs, m_shell, *m_documents, *m_bookmark});
    m_catalogue = std::move(made.catalogue);
    m_bars = made.bars;
    m_dispatcher = made.dispatcher;
    m_linkTables = std::move(made.linkTables);
    m_exports = made.exports;
}

QString frmStart::todayDateFrom(const QDate &date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

bool frmStart::Move_Data()
{
    const QString failure = FirstRunInstall::Move_Data(m_state.appFolder);
    if (failure.isEmpty())
        return true;
    startupMessage(failure, UserDialogs::Icon::Critical);
    return false;
}

bool frmStart::Form_Load(const QString &firstAddress)
{
    if (FirstRunInstall::pending(m_state.appFolder) && !Move_Data())
        return false;
    stepEnded("first-run installation");

    m_state.todayDate = todayDateFrom(QDate::currentDate());
    m_state.linkSlotsPerGroup = 30;
    m_state.linkGroupCount = 5;
    m_state.captureCount = 0;
    m_state.exportAlpha = 205;
    m_state.opaqueAlpha = 255;

    if (const WriteResult created = OptionsFile::Read_Opt(m_state); !created.ok())
        startupMessage(writeFailureText(m_state, created));
    stepEnded("options read");
    if (const QString notice = m_captions->Read_Lang(); !notice.isEmpty())
        startupMessage(notice);
    stepEnded("language read");
    // The first page is asked for before the rest of the window is built: the engine starts its
    // renderer and fetches the page while the bars, the captions and the history are made.
    if (m_state.startAddress.isEmpty())
        m_state.startAddress = ProgramState::defaultStartAddress;
    m_tabs->setHomeAddress(m_state.startAddress);
    const QString first = firstAddress.isEmpty() ? m_state.startAddress : firstAddress;
    // An address given at the start is the user's (a download it leads to included).
    if (firstAddress.isEmpty())
        m_tabs->Web(0)->Navigate(first);
    else
        m_tabs->Web(0)->Navigate2(first);
    stepEnded("first address opened");
    // Looking up the desktop's icon theme can wait for the first page too.
    cmdMove->setIcon(ImageList::icon(121));
    cmdMoveL->setIcon(ImageList::icon(122));
    m_state.tabAddresses = QStringList(m_tabs->TabCount(), QString());
    buildCommands();
    stepEnded("bars built");
    m_captions->Set_Captions();
    stepEnded("captions applied");
    WindowSettings::Read_Ini(m_state, QSizeF(WindowPlacement::screenTwips().size()));
    stepEnded("window settings read");

    m_state.barsShown = true;
    CommandWiring::showSettings(*m_bars, m_state);
    m_history->Hyst_Read();
    stepEnded("history read");
    applyBarStyle();
    stepEnded("bar style applied");
    m_bars->action(QStringLiteral("FAVORITE"))->setEnabled(false);
    WindowPlacement::placeFromSettings(*this, m_state);
    stepEnded("window placed");

    for (int i = 0; i < m_tabs->TabCount(); ++i)
        m_tabs->Set_Web(i);
    stepEnded("views placed");
    m_state.currentAddress.clear();
    progressBar->setRange(0, 100);
    progressBar->setValue(0);

    Text1->setEditText(first);

    m_tabs->setActiveTab(0);
    m_state.tabAddresses[0] = first;
    m_state.currentAddress = first;
    QString caption = first;
    AddressRules::TabCaptionFromAddress(caption);
    m_tabs->setTabCaption(0, caption);
    m_tabs->showActiveViewOnly();

    m_floatingBar->startAfterLoad();
    Timer4.start(deferredStartMs);
    m_loaded = true;
    Form_Resize();
    stepEnded("window laid out");
    // A signal that came during the start-up ends the run now that everything is loaded.
    if (m_endRequested)
        QTimer::singleShot(0, this, [this] { endRun(false); });
    return true;
}

void frmStart::showAfterFirstPage()
{
    m_firstShowPending = true;
    connect(m_tabs->Web(0), &WebView::DocumentComplete, this, &frmStart::firstShowTimer_Timer,
            Qt::SingleShotConnection);
    firstShowTimer.start(firstShowBoundMs);
}

void frmStart::firstShowTimer_Timer()
{
    if (!std::exchange(m_firstShowPending, false))
        return;
    firstShowTimer.stop();
    if (!m_exiting)
        show();
}

// Once the run is to end, nobody is there to answer: a message not shown, or closed by the signal
// while it showed, goes to standard error.
void frmStart::startupMessage(const QString &text, UserDialogs::Icon icon)
{
    if (!m_endRequested)
        m_dialogs.message(text, icon);
    if (m_endRequested)
        m_dialogs.tell(text, false);
}

void frmStart::stepEnded(const char *step) const
{
    if (m_stepEnded)
        m_stepEnded(step);
}

void frmStart::Timer4_Timer()
{
    Timer4.stop();
    if (m_linkTables)
        m_linkTables->Load_Index();
    m_state.templatePath = m_state.appFolder.path(QStringLiteral("\\Data\\Template.Doc"));
    m_state.templatePathH = m_state.appFolder.path(QStringLiteral("\\Data\\TemplateH.Doc"));
    // Screen captures take the screen's picture when they are made; nothing to size beforehand.
    if (m_bars)
        m_bars->action(QStringLiteral("FAVORITE"))->setEnabled(true);
    m_travel->emptyLog();
}

void frmStart::Form_Resize()
{
    if (!m_loaded || m_state.layoutFrozen == 1)
        return;
    if (isMinimized()) {
        wasMinimized = 1;
        setWindowTitle(m_state.caption(Captions::loadingCaption));
        return;
    }
    if (windowState() == Qt::WindowNoState)
        wasMinimized = 0;
    m_windowTitle->refresh();
    const MainLayout l = MainLayout::compute(Twips::fromPixels(width()), Twips::fromPixels(height()),
                                             m_state.tabWidth, Twips::fromPixels(cmdBar2->sizeHint().width()),
                                             Twips::fromPixels(Tab1->minimumStripWidth()));
    l.applyTo({picBar, picStat, cmdBar0, cmdBar1, cmdBar2, Tab1, Text1, cmdMoveL, statusBar, timeBar, progressBar,
               cmdMove});
    m_tabs->Set_Web(m_tabs->ActiveTab());
    m_findBar->setGeometry(width() - 420, picStat->y() - 34, 400, 32);
    if (m_findBar->isVisible())
        m_findBar->raise();
}

void frmStart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmStart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

bool frmStart::eventFilter(QObject *watched, QEvent *event)
{
    // Pressing a drag handle lets the window follow the pointer as if its title bar were held.
    if ((watched == cmdMove || watched == cmdMoveL) && event->type() == QEvent::MouseButtonPress) {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmStart::minimizeWindow() { showMinimized(); }

void frmStart::applyBarStyle()
{
    m_bars->applyStyle(m_state.barStyle);
    // A look with wider buttons may need a wider right bar.
    Form_Resize();
}

void frmStart::setFloatingBar(bool on) { m_floatingBar->setOn(on); }

void frmStart::showFindBar()
{
    m_tabs->activeView()->SetFocus();
    m_findBar->open(m_tabs->activeView());
}

void frmStart::menuShown() { m_floatingBar->pause(); }

void frmStart::menuClosed() { m_floatingBar->resume(); }

void frmStart::showStatus(const QString &text) { statusBar->setText(text); }

void frmStart::closeEvent(QCloseEvent *event)
{
    GO_Exit();
    event->accept();
}

// Each save is tried whatever became of the others; a failed one leaves its old file whole.
// Nobody may be there to read a message: then the failures go to standard error.
void frmStart::saveSettings(bool attended)
{
    QStringList failures;
    for (const WriteResult &saved : {OptionsFile::Save_Opt(m_state), m_history->Hyst_Save(),
                                     WindowSettings::Save_Ini(m_state, WindowPlacement::windowTwips(*this))}) {
        if (!saved.ok())
            failures.append(saved.message());
    }
    if (failures.isEmpty())
        return;
    const QString report = m_state.caption(saveFailedCaption, "These files could not be saved:") % u'\n' %
                           failures.join(u'\n');
    m_dialogs.tell(report, attended);
}

void frmStart::commitData() { saveSettings(false); }

void frmStart::exitUnattended()
{
    // During the start-up the run ends once all is loaded, so that only what was read is saved; a
    // start-up message waiting for the user is closed.
    if (!m_loaded) {
        m_endRequested = true;
        if (QWidget *message = QApplication::activeModalWidget())
            message->close();
        return;
    }
    // An exit already under way may be waiting for the user: it is cut short.
    if (m_exiting) {
        quitOnce();
        return;
    }
    endRun(false);
}

// Qt 6.8 announces the end (aboutToQuit, which ends the run too) from within quit itself: a second
// quit there would announce it again, without end.
void frmStart::quitOnce()
{
    if (!std::exchange(m_quitting, true))
        QCoreApplication::quit();
}

void frmStart::GO_Exit() { endRun(true); }

void frmStart::endRun(bool attended)
{
    if (m_exiting)
        return;
    m_exiting = true;
    saveSettings(attended);

    m_tabs->activeView()->Stop();
    hide();
    deleteScratchFiles();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this)
            window->close();
    }
    close();
    quitOnce();
}

void frmStart::deleteScratchFiles()
{
    for (const char *scratch : {"\\html.txt", "\\doc.txt"}) {
        const QString path = m_state.appFolder.path(QString::fromLatin1(scratch));
        if (QFile::exists(path))
            QFile::remove(path);
    }
}
