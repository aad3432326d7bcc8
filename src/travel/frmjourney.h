#pragma once

#include "journeygraph.h"
#include "journeyreader.h"

#include <QWidget>
#include <optional>

class JourneyExport;
class JourneyLayouter;
class JourneyPicture;
class JourneyView;
class QComboBox;
class QLabel;
class QPushButton;
class TravelEngine;
class UserDialogs;
struct JourneyLayout;
struct ProgramState;

// The journey as a picture: pages as boxes coloured by host (where a travel began drawn with a
// double border), the steps between two pages as one arrow with their count and numbers, laid
// out by Graphviz. It shows this run's journey, growing with every step, or an earlier one chosen
// from the list, which it can also delete; it fits the picture to the window or zooms it, and
// exports it as SVG or PNG. A click on a page asks for it to be opened in the main window.
// Graphviz runs in programs of its own (JourneyLayouter); until a layout has placed the newest
// pages, the picture shows them beside the rest (JourneyPicture).
class frmJourney : public QWidget
{
    Q_OBJECT
public:
    static constexpr int titleCaption = 336, earlierCaption = 337, svgCaption = 338, pngCaption = 339,
                         unreadableCaption = 341, pagesCaption = 342, stepsCaption = 343, thisRunCaption = 531,
                         noStepsCaption = 532, deleteCaption = 533, deleteTipCaption = 534, deleteAskCaption = 535,
                         notDeletedCaption = 536, fitCaption = 537, fitTipCaption = 538, zoomInCaption = 539,
                         zoomOutCaption = 540, zoomInTipCaption = 542, zoomOutTipCaption = 543, svgTipCaption = 544,
                         pngTipCaption = 545, tooLargeCaption = 546, travelsCaption = 547, arrangingCaption = 548,
                         passedOverCaption = 549, notArrangedCaption = 550, listTipCaption = 551;

    frmJourney(ProgramState &state, TravelEngine &travel, UserDialogs &dialogs, QWidget *parent = nullptr);
    ~frmJourney() override;

    const JourneyGraph &graph() const { return m_graph; }
    // Where a page's box is drawn, in the coordinates of the view's viewport.
    QPoint pagePosition(int node) const;
    // True while Graphviz lays the journey out or is to lay it out again.
    bool layingOut() const;
    // How many steps of the journey the picture shows.
    int shownSteps() const;
    bool exporting() const;

    QComboBox *journeyList;
    QPushButton *deleteJourney;
    QPushButton *fitToWindow;
    QPushButton *zoomIn;
    QPushButton *zoomOut;
    QPushButton *exportSvg;
    QPushButton *exportPng;
    QLabel *counts;
    JourneyView *picture;

signals:
    void pageChosen(const QString &address);
    // The picture shows a step more, or its pages have been laid out anew.
    void pictureChanged(int shownSteps);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPushButton *button(int caption, const char *english, int tip, const char *englishTip);
    void fillJourneyList();
    void chooseJourney(int index);
    void showChosenJourney();
    void followTravel();
    void readMore();
    void arrange(const JourneyLayout &layout);
    void showCounts();
    void deleteChosen();
    void saveSvg();
    void savePng();
    QString suggestedName(const QString &extension) const;
    bool showsThisRun() const;

    ProgramState &m_state;
    TravelEngine &m_travel;
    UserDialogs &m_dialogs;
    JourneyPicture *m_picture;
    JourneyGraph m_graph;
    std::optional<JourneyReader> m_reader;
    JourneyLayouter *m_layouter;
    JourneyExport *m_export;
    bool m_userChose = false;
    QString m_notArranged;
};
