#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class Dispatcher;
class SiteClearing;
class TabSet;
class TravelEngine;
class UserDialogs;
struct ProgramState;

// What travel leaves behind is the user's to clear. "TRAVEL:CLEAR" asks whether to clear the
// cookies, the cache and the site storage of the sites the last journey found new, or of every
// site, and says how many sites it cleared. The cache goes whole either way, and with every
// site's storage at the next start (see WebProfile::removeAtNextStart).
// When a journey begins, the sites whose cookies the engine holds are kept beside it.
class TravelTraces : public QObject
{
    Q_OBJECT
public:
    static inline const QString clearKey = QStringLiteral("TRAVEL:CLEAR");
    static constexpr int questionCaption = 446;
    static constexpr int newSitesCaption = 447;
    static constexpr int allSitesCaption = 448;
    static constexpr int unrecordedCaption = 449;
    static constexpr int journeyClearedCaption = 450;
    static constexpr int wholeCacheCaption = 451;
    static constexpr int allClearedCaption = 452;
    static constexpr int busyCaption = 455;
    static constexpr int unmarkedCaption = 456;
    static constexpr int cancelCaption = 96;

    TravelTraces(ProgramState &state, TravelEngine &travel, TabSet &tabs, UserDialogs &dialogs, Dispatcher &dispatcher,
                 QObject *parent);
    ~TravelTraces() override;

    void clear();
    bool clearing() const { return m_clearing != nullptr; }

private:
    void recordJourneyStart();
    void clearJourneySites(const QStringList &addresses, const QStringList &fresh, const QStringList &known);
    void clearEverySite();
    SiteClearing &startClearing();
    // The message of a mark for the next start that could not be written.
    QString unmarked() const;
    void finish(const QString &message);

    ProgramState &m_state;
    TravelEngine &m_travel;
    TabSet &m_tabs;
    UserDialogs &m_dialogs;
    std::unique_ptr<SiteClearing> m_clearing;
};
