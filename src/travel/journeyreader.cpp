#include "journeyreader.h"

#include "core/textfile.h"
#include "journeyfiles.h"

#include <QFile>

JourneyReader::JourneyReader(QString path, bool growing) : m_path(std::move(path)), m_growing(growing) {}

JourneyReader::Outcome JourneyReader::readMore(JourneyGraph &graph)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return m_growing ? Outcome::Read : Outcome::Missing;
    if (m_offset == 0 && file.size() > sizeLimit)
        return Outcome::TooLarge;
    if (file.size() < m_offset || !file.seek(m_offset))
        return Outcome::Read;
    QByteArray added = file.read(std::max<qint64>(0, file.size() - m_offset));
    // A line still being written waits for its end.
    if (m_growing)
        added.truncate(added.lastIndexOf('\n') + 1);
    m_offset += added.size();
    const bool first = m_read == 0 && m_passedOver == 0;
    for (const QString &text : TextFile::decodeLines(added)) {
        const JourneyFiles::Line line = JourneyFiles::parse(text);
        if (line.kind == JourneyFiles::Line::Unreadable) {
            m_passedOver += !text.trimmed().isEmpty();
            continue;
        }
        ++m_read;
        switch (line.kind) {
        case JourneyFiles::Line::Step:
            graph.addStep(line.address);
            break;
        case JourneyFiles::Line::Start:
            graph.endTravel();
            if (!line.address.isEmpty())
                graph.beginTravel(line.address);
            graph.setTitle(line.address, line.title);
            break;
        case JourneyFiles::Line::Stop:
            graph.setTitle(line.address, line.title);
            graph.endTravel();
            break;
        case JourneyFiles::Line::Title:
            graph.setTitle(line.address, line.title);
            break;
        case JourneyFiles::Line::Unreadable:
            break;
        }
    }
    return first && m_read == 0 && m_passedOver > 0 ? Outcome::Unreadable : Outcome::Read;
}
