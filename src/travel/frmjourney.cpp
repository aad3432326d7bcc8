#include "frmjourney.h"

#include "core/programstate.h"
#include "core/writefailure.h"
#include "journeyfiles.h"
#include "journeylayout.h"
#include "platform/userdialogs.h"
#include "travelengine.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

// The longest side of an exported PNG, so that a long journey still makes a picture viewers open.
constexpr int pngSideLimit = 16000;
constexpr double pngScale = 2.0;

QGraphicsSimpleTextItem *centredText(QGraphicsScene *scene, const QString &text, QPointF centre, int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    auto *item = scene->addSimpleText(text, font);
    item->setPos(centre - item->boundingRect().center());
    return item;
}

WriteResult writeAtomically(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
        return WriteResult::failure(path, file.errorString());
    return WriteResult::success();
}

} // namespace

frmJourney::frmJourney(ProgramState &state, TravelEngine &travel, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_travel(travel), m_dialogs(dialogs), m_scene(new QGraphicsScene(this))
{
    setWindowTitle(m_state.caption(titleCaption, "Journey"));
    journeyList = new QComboBox(this);
    journeyList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    exportSvg = new QPushButton(m_state.caption(svgCaption, "Export as SVG"), this);
    exportPng = new QPushButton(m_state.caption(pngCaption, "Export as PNG"), this);
    counts = new QLabel(this);
    counts->setTextFormat(Qt::RichText);
    picture = new QGraphicsView(m_scene, this);
    picture->setRenderHint(QPainter::Antialiasing);
    picture->setDragMode(QGraphicsView::ScrollHandDrag);
    picture->viewport()->installEventFilter(this);

    auto *bar = new QHBoxLayout;
    auto *listLabel = new QLabel(m_state.caption(earlierCaption, "Open an earlier journey"), this);
    // Screen readers name the list by its label.
    listLabel->setBuddy(journeyList);
    bar->addWidget(listLabel);
    bar->addWidget(journeyList);
    bar->addStretch();
    bar->addWidget(exportSvg);
    bar->addWidget(exportPng);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(picture, 1);
    layout->addWidget(counts);
    resize(900, 600);
    m_layoutThread.setMaxThreadCount(1);
    m_layoutThread.setExpiryTimeout(-1);

    connect(journeyList, &QComboBox::activated, this, &frmJourney::showChosenJourney);
    connect(exportSvg, &QPushButton::clicked, this, &frmJourney::saveSvg);
    connect(exportPng, &QPushButton::clicked, this, &frmJourney::savePng);
    // This run's journey grows with every step.
    connect(&m_travel, &TravelEngine::stepDone, this, [this](const QString &opened) {
        if (!opened.isEmpty() && isVisible() && journeyList->currentIndex() == 0)
            showChosenJourney();
    });
}

void frmJourney::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fillJourneyList();
    showChosenJourney();
}

// This run's journey first, then the earlier ones, newest first.
void frmJourney::fillJourneyList()
{
    QStringList paths = JourneyFiles::kept(m_state.appFolder);
    const QString current = m_travel.journeyPath();
    paths.removeAll(current);
    if (!current.isEmpty())
        paths.prepend(current);
    journeyList->clear();
    for (const QString &path : paths)
        journeyList->addItem(QFileInfo(path).completeBaseName(), path);
}

void frmJourney::showChosenJourney()
{
    const QString path = journeyList->currentData().toString();
    const bool current = path == m_travel.journeyPath();
    const auto lines = TextFile::readLines(path);
    // This run's journey has no file before its first step.
    if (!lines && !current && !path.isEmpty())
        m_dialogs.message(m_state.caption(unreadableCaption, "This journey cannot be read:") % u'\n' % path);
    m_graph = JourneyGraph::fromAddresses(JourneyFiles::addressesOf(lines.value_or(QStringList())),
                                          current ? m_travel.pageTitles() : QHash<QString, QString>());
    layOut();
}

void frmJourney::layOut()
{
    if (m_layingOut) {
        m_layOutAgain = true;
        return;
    }
    m_layingOut = true;
    m_layoutThread.start([this, graph = m_graph] {
        auto layout = std::make_shared<const JourneyLayout>(JourneyLayout::of(graph));
        QMetaObject::invokeMethod(
            this,
            [this, graph, layout] {
                m_layingOut = false;
                // Drawn even when the journey has grown meanwhile, so that a picture keeps up with
                // steps that come faster than Graphviz.
                draw(graph, *layout);
                if (std::exchange(m_layOutAgain, false))
                    layOut();
            },
            Qt::QueuedConnection);
    });
}

void frmJourney::draw(const JourneyGraph &graph, const JourneyLayout &layout)
{
    m_drawnGraph = graph;
    m_svg = layout.svg;
    m_scene->clear();
    m_boxes.clear();
    const QPen line(QColor(90, 90, 90), 1);
    for (size_t i = 0; i < graph.arrows.size() && i < layout.arrows.size(); ++i) {
        const JourneyLayout::ArrowShape &arrow = layout.arrows[i];
        m_scene->addPath(arrow.path, line);
        m_scene->addPolygon(arrow.head, line, QBrush(line.color()));
        centredText(m_scene, QString::number(graph.arrows[i].step), arrow.labelAt, 9);
    }
    for (size_t i = 0; i < graph.nodes.size() && i < layout.nodes.size(); ++i) {
        const JourneyGraph::Node &node = graph.nodes[i];
        const QRectF box = layout.nodes[i].box;
        QPainterPath shape;
        shape.addRoundedRect(box, 6, 6);
        auto *item = m_scene->addPath(shape, QPen(Qt::black, i == 0 ? 3 : 1), JourneyLayout::hostColour(node.host));
        item->setToolTip(node.address);
        item->setCursor(Qt::PointingHandCursor);
        centredText(m_scene, JourneyLayout::nodeText(node), box.center(), 10);
        m_boxes.push_back(box);
    }
    m_scene->setSceneRect(layout.bounds.adjusted(-10, -10, 10, 10));

    QString hosts;
    for (int i = 0; i < graph.hosts.size(); ++i)
        hosts += QStringLiteral("&nbsp; <span style=\"background:%1\">&nbsp;&nbsp;&nbsp;</span> %2")
                     .arg(JourneyLayout::hostColour(i).name(), graph.hosts[i].toHtmlEscaped());
    counts->setText(m_state.caption(pagesCaption, "Pages:").toHtmlEscaped() % u' ' %
                    QString::number(graph.nodes.size()) % u"&nbsp;&nbsp; " %
                    m_state.caption(stepsCaption, "Steps:").toHtmlEscaped() % u' ' %
                    QString::number(graph.arrows.size() + (graph.nodes.empty() ? 0 : 1)) % hosts);
}

QPoint frmJourney::pagePosition(int node) const { return picture->mapFromScene(m_boxes.at(node).center()); }

bool frmJourney::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picture->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const QPointF at = picture->mapToScene(static_cast<QMouseEvent *>(event)->position().toPoint());
        for (size_t i = 0; i < m_boxes.size(); ++i) {
            if (m_boxes[i].contains(at)) {
                emit pageChosen(m_drawnGraph.nodes[i].address);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString frmJourney::suggestedName(const QString &extension) const
{
    const QString name = journeyList->currentText().isEmpty() ? QStringLiteral("Journey") : journeyList->currentText();
    return m_state.appFolder.path(JourneyFiles::folderName) % u'/' % name % extension;
}

void frmJourney::saveSvg()
{
    const QString path = m_dialogs.saveFileName(exportSvg->text(), suggestedName(QStringLiteral(".svg")),
                                                QStringLiteral("SVG (*.svg)"));
    if (path.isEmpty())
        return;
    const WriteResult saved = writeAtomically(path, [this](QIODevice &file) { return file.write(m_svg) == m_svg.size(); });
    if (!saved.ok())
        m_dialogs.message(writeFailureText(m_state, saved));
}

void frmJourney::savePng()
{
    const QString path = m_dialogs.saveFileName(exportPng->text(), suggestedName(QStringLiteral(".png")),
                                                QStringLiteral("PNG (*.png)"));
    if (path.isEmpty())
        return;
    const QRectF area = m_scene->sceneRect();
    const double scale = std::min(pngScale, pngSideLimit / std::max({area.width(), area.height(), 1.0}));
    QImage image((area.size() * scale).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        m_scene->render(&painter, QRectF(image.rect()), area);
    }
    const WriteResult saved = writeAtomically(path, [&image](QIODevice &file) { return image.save(&file, "PNG"); });
    if (!saved.ok())
        m_dialogs.message(writeFailureText(m_state, saved));
}
