#pragma once

#include "journeygraph.h"
#include "journeylayout.h"

#include <QThreadPool>
#include <QWidget>

class QComboBox;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QPushButton;
class TravelEngine;
class UserDialogs;
struct ProgramState;

// The journey as a picture: pages as boxes coloured by host (the start drawn with a double
// border, revisits counted), steps as numbered arrows, laid out by Graphviz. It shows this run's
// journey, growing with every step, or an earlier one chosen from the list; it exports the
// picture as SVG or PNG. A click on a page asks for it to be opened in the main window.
// Graphviz takes up to a second over a long journey, so it lays out on a thread of its own, one
// layout at a time; the steps that come meanwhile are drawn together by the next layout.
// The thread is the same for every layout of the window: the C library hands each new thread the
// next of its heap arenas, and with a thread a layout one arena after another came to keep the
// memory of the largest layout made in it.
class frmJourney : public QWidget
{
    Q_OBJECT
public:
    static constexpr int titleCaption = 336, earlierCaption = 337, svgCaption = 338, pngCaption = 339,
                         unreadableCaption = 341, pagesCaption = 342, stepsCaption = 343;

    frmJourney(ProgramState &state, TravelEngine &travel, UserDialogs &dialogs, QWidget *parent = nullptr);

    const JourneyGraph &graph() const { return m_graph; }
    // Where a page's box is drawn, in the coordinates of the view's viewport.
    QPoint pagePosition(int node) const;
    // False once the picture shows the journey graph() holds.
    bool layingOut() const { return m_layingOut; }

    QComboBox *journeyList;
    QPushButton *exportSvg;
    QPushButton *exportPng;
    QLabel *counts;
    QGraphicsView *picture;

signals:
    void pageChosen(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fillJourneyList();
    void showChosenJourney();
    void layOut();
    void draw(const JourneyGraph &graph, const JourneyLayout &layout);
    void saveSvg();
    void savePng();
    QString suggestedName(const QString &extension) const;

    ProgramState &m_state;
    TravelEngine &m_travel;
    UserDialogs &m_dialogs;
    QGraphicsScene *m_scene;
    JourneyGraph m_graph;
    // The graph the picture shows, which a click is read against: a step or two behind m_graph
    // while a layout runs.
    JourneyGraph m_drawnGraph;
    bool m_layingOut = false;
    bool m_layOutAgain = false;
    QByteArray m_svg;
    std::vector<QRectF> m_boxes;
    // Destroyed first: it waits for a layout still running, which reports back to this window.
    QThreadPool m_layoutThread;
};
