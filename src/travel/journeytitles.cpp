#include "journeytitles.h"

#include "explorer.h"
#include "journeyfiles.h"
#include "travelengine.h"

JourneyTitles::JourneyTitles(TravelEngine &travel, QObject *parent) : QObject(parent), m_travel(travel)
{
    connect(&m_travel, &TravelEngine::stepDone, this, &JourneyTitles::stepped);
}

void JourneyTitles::stepped(const QString &opened)
{
    if (opened.isEmpty())
        return;
    const QString left = Explorer::pageOf(std::exchange(m_shown, opened));
    const QString title = m_travel.pageTitles().value(left);
    if (m_travel.journeyPath().isEmpty() || left.isEmpty() || title.isEmpty() || m_kept.value(left) == title)
        return;
    m_kept.insert(left, title);
    // A journey that cannot be kept has been reported with its steps.
    JourneyFiles::append(m_travel.journeyPath(), JourneyFiles::titleLine(left, title));
}
