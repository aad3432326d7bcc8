#pragma once

#include "core/textfile.h"
#include "explorer.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <functional>

class DesktopShell;
class Navigator;
class QLabel;
class TabSet;
class UserDialogs;
class WebView;
struct ProgramState;

// Travel: every travelSpeed ticks of the 30-second Timer2 a random link of the active page is
// opened, and logged once its page is shown; Timer3 shows the seconds left in the countdown field.
class TravelEngine : public QObject
{
    Q_OBJECT
public:
    static inline const QString logFileName = QStringLiteral("\\TravelLog.txt");
    static constexpr int stepIntervalMs = 30000;
    static constexpr int countdownIntervalMs = 1000;
    // A harvest the engine has not answered by then counts as a page without links.
    static constexpr int harvestLimitMs = 3000;
    static constexpr int logFailedCaption = 225;
    static constexpr int journeyFailedCaption = 340;

    TravelEngine(ProgramState &state, TabSet &tabs, Navigator &navigator, QLabel *timeBar,
                 DesktopShell &shell, UserDialogs &dialogs);

    // A uniform draw in [0, 1); the default one is reseeded from the clock at every step.
    void setRandomSource(std::function<double()> uniform) { m_uniform = std::move(uniform); }

    // How a step chooses among the links it harvested.
    Explorer &explorer() { return m_explorer; }

    void GO_InitTravel();
    void GO_Travel_Links();
    bool stepInFlight() const { return m_stepInFlight; }

    // The travel commands.
    void startTravel(qint16 speed);
    void stopTravel();
    void showLog();

    // Stops both timers, empties the countdown field and drops a step still choosing its link
    // (waiting for its harvest or for a name's addresses) (every command does this first).
    void interrupt();

    // Empties the log for a new run, whose journey is kept in a file of its own; a failure is
    // reported like a failed step's.
    void emptyLog();
    // The titles of the pages the journey has shown and of the page shown now, by page address.
    QHash<QString, QString> pageTitles() const;
    // The file keeping this run's journey (made by its first step).
    const QString &journeyPath() const { return m_journeyPath; }

    QTimer Timer2;
    QTimer Timer3;
    QTimer harvestTimer;

public slots:
    void Timer2_Timer();
    void Timer3_Timer();

signals:
    // A step has ended: with the address whose page it opened, or empty when it had none to open.
    void stepDone(const QString &openedAddress);

private:
    void finishStep(const QStringList &hrefs);
    void endHarvest();
    void cancelStep();
    // Draws among the links still open to the step, until one may be opened: a public page leads
    // to public addresses only, so a name is resolved first.
    void chooseAndOpen();
    void resolve(const QString &address);
    // Opens the link; the step counts once its page is shown. A link that turns into a download
    // (or is led into the local network) gives way to another at once.
    void open(const QString &address);
    void recordOpened(const QString &address);
    void endTravel();
    void stopWatching();
    // The user hears once that the log cannot be written, not at every step, and again only after
    // it could be written in between; of a journey that cannot be kept, once per run. Travel goes on.
    void reportLogFailure(const WriteResult &result);
    void reportJourneyFailure(const WriteResult &result);
    // The journey keeps where each travel that made a step began and ended, with the page shown then.
    void markJourney(const QString &line);
    void markStop();

    // A step from its harvest until its page is shown: the page it is on, the links it draws from,
    // and those it found to be no page or out of its reach.
    struct Choice
    {
        QPointer<WebView> view;
        QString shown;
        QStringList pageLinks;
        QStringList earlierLinks;
        QSet<QString> refused;
    };

    ProgramState &m_state;
    TabSet &m_tabs;
    Navigator &m_navigator;
    QLabel *m_timeBar;
    DesktopShell &m_shell;
    UserDialogs &m_dialogs;
    std::function<double()> m_uniform;
    Explorer m_explorer;
    bool m_stepInFlight = false;
    // Identifies the step in flight, so that an answer to a dropped step is ignored.
    quint64 m_step = 0;
    QPointer<WebView> m_stepView;
    Choice m_choice;
    int m_lookup = -1;
    QList<QMetaObject::Connection> m_watch;
    bool m_logFailureReported = false;
    bool m_journeyFailureReported = false;
    QString m_journeyPath;
    bool m_travelling = false;
    // Where the travel running began, kept with its first step: a travel stopped before it made
    // one leaves nothing in the journey, nor a journey of no steps among the earlier ones.
    QString m_unwrittenStart;
    QHash<QString, QString> m_pageTitles;
};
