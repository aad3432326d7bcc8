// A journey file as the journey window reads it back: any bytes give a journey or a refusal; the
// graph has one page for each page visited, each page on a known site, arrows between its pages
// with their steps in order and no more steps than the journey made; and reading takes no more
// than linear time in the file's size, also when a longer journey visits pages and sites of its own.
#include "fuzzinput.h"
#include "travel/journeyfiles.h"
#include "travel/journeygraph.h"
#include "travel/journeyreader.h"

#include <QSet>
#include <algorithm>

namespace {

const QDateTime begun(QDate(2026, 12, 8), QTime(14, 5, 9));

JourneyGraph readJourney(const AppFolder &folder)
{
    JourneyGraph graph;
    JourneyReader reader(JourneyFiles::pathFor(folder, begun), false);
    const JourneyReader::Outcome outcome = reader.readMore(graph);
    FUZZ_CHECK(outcome != JourneyReader::Outcome::Missing);
    return graph;
}

void writeJourney(const AppFolder &folder, QByteArrayView bytes)
{
    FuzzInput::writeAt(JourneyFiles::pathFor(folder, begun), bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AppFolder folder(FuzzInput::folder().path());
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    writeJourney(folder, input);
    const JourneyGraph graph = readJourney(folder);

    QSet<QString> pages;
    for (const JourneyGraph::Node &node : graph.nodes) {
        pages.insert(node.address);
        FUZZ_CHECK(node.visits > 0 && node.host >= 0 && node.host < graph.hosts.size());
    }
    FUZZ_CHECK(size_t(pages.size()) == graph.nodes.size());
    qsizetype arrowSteps = 0;
    for (const JourneyGraph::Arrow &arrow : graph.arrows) {
        FUZZ_CHECK(arrow.from >= 0 && size_t(arrow.from) < graph.nodes.size() && arrow.to >= 0 &&
                   size_t(arrow.to) < graph.nodes.size());
        FUZZ_CHECK(!arrow.steps.empty() && std::is_sorted(arrow.steps.begin(), arrow.steps.end()));
        FUZZ_CHECK(arrow.steps.front() >= 1 && arrow.steps.back() <= graph.steps);
        arrowSteps += qsizetype(arrow.steps.size());
    }
    FUZZ_CHECK(arrowSteps <= graph.steps);

    // Each copy of the journey goes to sites of its own: "://" becomes "://<copy>.".
    const auto copy = [&input](int i) {
        return QByteArray(input).replace(QByteArrayView("://"), QByteArray("://" + QByteArray::number(i) + '.'));
    };
    const auto readCopies = [&folder](const QByteArray &file) {
        writeJourney(folder, file);
        readJourney(folder);
    };
    FUZZ_CHECK(FuzzInput::growsLinearly(readCopies, copy));
    return 0;
}
