#include "frmjourney.h"

#include "core/programstate.h"
#include "journeyexport.h"
#include "journeyfiles.h"
#include "journeylayouter.h"
#include "journeypicture.h"
#include "journeysites.h"
#include "journeyview.h"
#include "platform/userdialogs.h"
#include "travelengine.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int hostsListed = 12;
constexpr double zoomStep = 1.25;

} // namespace

frmJourney::frmJourney(ProgramState &state, TravelEngine &travel, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_travel(travel), m_dialogs(dialogs),
      m_picture(new JourneyPicture(this)),
      m_layouter(new JourneyLayouter(m_graph, [this] { return m_picture->boxSizes(); }, this)),
      m_export(new JourneyExport(state, dialogs, this))
{
    setWindowTitle(m_state.caption(titleCaption, "Journey"));
    journeyList = new QComboBox(this);
    journeyList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    journeyList->setToolTip(m_state.caption(listTipCaption, "Every run's journey, this run's first"));
    deleteJourney = button(deleteCaption, "Delete", deleteTipCaption, "Delete the journey shown (after asking)");
    fitToWindow = button(fitCaption, "Fit to window", fitTipCaption, "Show the whole picture in the window");
    fitToWindow->setCheckable(true);
    fitToWindow->setChecked(true);
    zoomIn = button(zoomInCaption, "Zoom in", zoomInTipCaption, "Show the picture larger (also Ctrl+wheel)");
    zoomOut = button(zoomOutCaption, "Zoom out", zoomOutTipCaption, "Show the picture smaller (also Ctrl+wheel)");
    exportSvg = button(svgCaption, "Export as SVG", svgTipCaption, "Save the picture as an SVG drawing");
    exportPng = button(pngCaption, "Export as PNG", pngTipCaption, "Save the picture as a PNG image");
    counts = new QLabel(this);
    counts->setTextFormat(Qt::RichText);
    picture = new JourneyView(m_picture, this);

    // The journeys above the picture, the view of it below: the list keeps room for its names.
    auto *journeys = new QHBoxLayout;
    auto *listLabel = new QLabel(m_state.caption(earlierCaption, "Open an earlier journey"), this);
    // Screen readers name the list by its label.
    listLabel->setBuddy(journeyList);
    journeys->addWidget(listLabel);
    journeys->addWidget(journeyList);
    journeys->addWidget(deleteJourney);
    journeys->addStretch();
    journeys->addWidget(exportSvg);
    journeys->addWidget(exportPng);
    auto *view = new QHBoxLayout;
    counts->setWordWrap(true);
    view->addWidget(counts, 1);
    for (QPushButton *viewButton : {fitToWindow, zoomIn, zoomOut})
        view->addWidget(viewButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(journeys);
    layout->addWidget(picture, 1);
    layout->addLayout(view);
    resize(900, 600);

    connect(journeyList, &QComboBox::activated, this, [this](int index) {
        m_userChose = true;
        chooseJourney(index);
    });
    connect(deleteJourney, &QPushButton::clicked, this, &frmJourney::deleteChosen);
    connect(fitToWindow, &QPushButton::toggled, picture, &JourneyView::setFitting);
    connect(picture, &JourneyView::fittingChanged, fitToWindow, &QPushButton::setChecked);
    connect(zoomIn, &QPushButton::clicked, this, [this] { picture->zoomBy(zoomStep); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { picture->zoomBy(1 / zoomStep); });
    connect(exportSvg, &QPushButton::clicked, this, &frmJourney::saveSvg);
    connect(exportPng, &QPushButton::clicked, this, &frmJourney::savePng);
    connect(picture, &JourneyView::clicked, this, [this](QPointF at) {
        if (const int page = m_picture->pageAt(at); page >= 0 && size_t(page) < m_graph.nodes.size())
            emit pageChosen(m_graph.nodes[page].address);
    });
    connect(m_layouter, &JourneyLayouter::laidOut, this, &frmJourney::arrange);
    connect(m_layouter, &JourneyLayouter::unavailable, this, [this](const QString &detail) {
        m_notArranged = detail;
        showCounts();
    });
    // This run's journey grows with every step.
    connect(&m_travel, &TravelEngine::stepDone, this, [this](const QString &opened) {
        if (!opened.isEmpty() && isVisible())
            followTravel();
    });
}

// A layout still running is ended, not waited for.
frmJourney::~frmJourney() { delete m_layouter; }

QPushButton *frmJourney::button(int caption, const char *english, int tip, const char *englishTip)
{
    auto *made = new QPushButton(m_state.caption(caption, english), this);
    made->setToolTip(m_state.caption(tip, englishTip));
    return made;
}

// Escape closes the window, as it does a dialog, once the list has closed its own drop-down.
void frmJourney::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void frmJourney::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    fillJourneyList();
    m_userChose = false;
    // This run's journey while it has none, the newest of the earlier ones.
    const bool thisRunHasSteps = QFileInfo(m_travel.journeyPath()).size() > 0;
    chooseJourney(!thisRunHasSteps && journeyList->count() > 1 ? 1 : 0);
}

// This run's journey first, then the earlier ones, newest first. Only their names are read here.
void frmJourney::fillJourneyList()
{
    QStringList paths = JourneyFiles::kept(m_state.appFolder);
    const QString current = m_travel.journeyPath();
    paths.removeAll(current);
    journeyList->clear();
    if (!current.isEmpty()) {
        const bool empty = QFileInfo(current).size() == 0;
        journeyList->addItem(m_state.caption(thisRunCaption, "This run's journey") %
                                 (empty ? u' ' % m_state.caption(noStepsCaption, "(no steps yet)") : QString()),
                             current);
    }
    for (const QString &path : std::as_const(paths))
        journeyList->addItem(QFileInfo(path).completeBaseName(), path);
    // A name deleted later leaves the list as wide, so the buttons beside it stay in place.
    journeyList->setMinimumWidth(std::max(journeyList->minimumWidth(), journeyList->sizeHint().width()));
}

bool frmJourney::showsThisRun() const
{
    return m_reader && !m_travel.journeyPath().isEmpty() && m_reader->path() == m_travel.journeyPath();
}

void frmJourney::chooseJourney(int index)
{
    journeyList->setCurrentIndex(index);
    showChosenJourney();
}

void frmJourney::showChosenJourney()
{
    m_layouter->abandon();
    m_graph = JourneyGraph();
    m_picture->clearJourney();
    m_notArranged.clear();
    const QString path = journeyList->currentData().toString();
    deleteJourney->setEnabled(!path.isEmpty() && path != m_travel.journeyPath());
    m_reader.reset();
    if (!path.isEmpty())
        m_reader.emplace(path, path == m_travel.journeyPath());
    readMore();
}

void frmJourney::followTravel()
{
    const QString current = m_travel.journeyPath();
    if (current.isEmpty() || journeyList->count() == 0 || journeyList->itemData(0).toString() != current)
        return;
    journeyList->setItemText(0, m_state.caption(thisRunCaption, "This run's journey"));
    if (showsThisRun())
        readMore();
    else if (!m_userChose)
        chooseJourney(0);
}

void frmJourney::readMore()
{
    const QString path = m_reader ? m_reader->path() : QString();
    const JourneyReader::Outcome outcome = m_reader ? m_reader->readMore(m_graph) : JourneyReader::Outcome::Read;
    if (outcome != JourneyReader::Outcome::Read) {
        m_reader.reset();
        const QString why = outcome == JourneyReader::Outcome::TooLarge
                                ? m_state.caption(tooLargeCaption, "This journey is too large to show:")
                                : m_state.caption(unreadableCaption, "This journey cannot be read:");
        m_dialogs.message(why % u'\n' % path);
    }
    if (showsThisRun())
        m_graph.setTitles(m_travel.pageTitles());
    // An empty picture has nothing to zoom or save.
    for (QPushButton *button : {zoomIn, zoomOut, exportSvg, exportPng})
        button->setEnabled(!m_graph.nodes.empty());
    m_picture->follow(m_graph);
    picture->pictureChanged();
    m_layouter->request();
    showCounts();
    emit pictureChanged(m_picture->shownSteps());
}

void frmJourney::arrange(const JourneyLayout &layout)
{
    m_picture->arrange(m_graph, layout);
    picture->pictureChanged();
    showCounts();
    emit pictureChanged(m_picture->shownSteps());
}

void frmJourney::showCounts()
{
    QString hosts;
    for (int i = 0; i < m_graph.hosts.size() && i < hostsListed; ++i)
        hosts += QStringLiteral("&nbsp; <span style=\"background:%1\">&nbsp;&nbsp;&nbsp;</span> %2")
                     .arg(JourneyPicture::hostColour(i).name(), m_graph.hosts[i].toHtmlEscaped());
    if (m_graph.hosts.size() > hostsListed)
        hosts += QStringLiteral("&nbsp; …");
    const auto figure = [this](int caption, const char *english, qsizetype value) -> QString {
        return m_state.caption(caption, english).toHtmlEscaped() % u' ' % QString::number(value) % u"&nbsp;&nbsp; ";
    };
    QString text = figure(pagesCaption, "Pages:", qsizetype(m_graph.nodes.size())) %
                   figure(stepsCaption, "Steps:", m_graph.steps) % figure(travelsCaption, "Travels:", m_graph.travels);
    if (m_reader && m_reader->linesPassedOver() > 0)
        text += figure(passedOverCaption, "Lines not read:", m_reader->linesPassedOver());
    if (!m_notArranged.isEmpty())
        text += m_state.caption(notArrangedCaption, "Graphviz cannot arrange this picture:").toHtmlEscaped() % u' ' %
                m_notArranged.toHtmlEscaped() % u"&nbsp;&nbsp; ";
    else if (m_layouter->busy())
        text += m_state.caption(arrangingCaption, "arranging the picture…").toHtmlEscaped() % u"&nbsp;&nbsp; ";
    counts->setText(text % hosts);
}

void frmJourney::deleteChosen()
{
    const QString path = journeyList->currentData().toString();
    if (path.isEmpty() || path == m_travel.journeyPath() ||
        !m_dialogs.question(m_state.caption(deleteAskCaption, "Delete this journey? It cannot be brought back.") %
                                     u'\n' % journeyList->currentText(),
                             UserDialogs::Default::No))
        return;
    QFile file(path);
    if (!file.remove()) {
        m_dialogs.message(m_state.caption(notDeletedCaption, "The journey could not be deleted:") % u'\n' % path %
                          u": " % file.errorString());
        return;
    }
    // The sites known before the journey began say nothing once it is gone.
    QFile::remove(JourneySites::knownSitesPath(path));
    const int index = journeyList->currentIndex();
    journeyList->removeItem(index);
    chooseJourney(std::min(index, journeyList->count() - 1));
}

QPoint frmJourney::pagePosition(int node) const { return picture->mapFromScene(m_picture->pageCentre(node)); }

bool frmJourney::layingOut() const { return m_layouter->busy(); }

int frmJourney::shownSteps() const { return m_picture->shownSteps(); }

bool frmJourney::exporting() const { return m_export->busy(); }

QString frmJourney::suggestedName(const QString &extension) const
{
    const QString name = showsThisRun() || journeyList->currentIndex() < 0
                             ? QFileInfo(m_travel.journeyPath()).completeBaseName()
                             : journeyList->currentText();
    return m_state.appFolder.path(JourneyFiles::folderName) % u'/' %
           (name.isEmpty() ? QStringLiteral("Journey") : name) % extension;
}

void frmJourney::saveSvg()
{
    const QString path = m_dialogs.saveFileName(exportSvg->text(), suggestedName(QStringLiteral(".svg")), QStringLiteral("SVG (*.svg)"));
    if (!path.isEmpty())
        m_export->saveSvg(path, m_picture->drawingDot(m_graph));
}

void frmJourney::savePng()
{
    const QString path = m_dialogs.saveFileName(exportPng->text(), suggestedName(QStringLiteral(".png")), QStringLiteral("PNG (*.png)"));
    if (!path.isEmpty())
        m_export->savePng(path, *m_picture);
}
