#pragma once

#include "journeygraph.h"

#include <QString>

// Reads a journey file into a graph, and then what was added to it since, as the journey of the
// running program grows. A file is read as far as it can be: lines that say nothing a journey
// keeps are passed over and counted. A file larger than a journey of days of travel is refused
// before it is read.
class JourneyReader
{
public:
    static constexpr qint64 sizeLimit = 8 << 20;
    enum class Outcome { Read, Missing, TooLarge, Unreadable };

    // growing: the running program's journey, whose last line may still be on its way.
    JourneyReader(QString path, bool growing);

    // Reads the lines the file has gained since the last call. Unreadable: the file holds lines,
    // and none of them is a journey's.
    Outcome readMore(JourneyGraph &graph);
    int linesPassedOver() const { return m_passedOver; }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    bool m_growing;
    qint64 m_offset = 0;
    int m_read = 0;
    int m_passedOver = 0;
};
