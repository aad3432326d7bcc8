#pragma once

#include <QHash>
#include <QObject>

class TravelEngine;

// Keeps the titles of the pages of this run's journey in its file, so that a journey opened
// after the run still names its pages: at every step, the title of the page the step left, when
// it has one the file does not hold yet. (Where travel begins and ends, the travel engine writes
// the page's title with its mark.)
class JourneyTitles : public QObject
{
    Q_OBJECT
public:
    explicit JourneyTitles(TravelEngine &travel, QObject *parent = nullptr);

private:
    void stepped(const QString &opened);

    TravelEngine &m_travel;
    QString m_shown;
    QHash<QString, QString> m_kept;
};
