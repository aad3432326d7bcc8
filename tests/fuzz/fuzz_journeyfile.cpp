// A journey file as the journey window reads it back: any bytes give addresses of one line each,
// at most one a line; the graph has one page for each page visited, as many visits as addresses
// and an arrow for each step after the first; and reading takes no more than linear time in the
// file's size, also when a longer journey visits pages and sites of its own.
#include "fuzzinput.h"
#include "travel/journeyfiles.h"
#include "travel/journeygraph.h"

#include <QSet>

namespace {

const QDateTime begun(QDate(2026, 12, 8), QTime(14, 5, 9));

JourneyGraph readJourney(const AppFolder &folder, QStringList *addresses = nullptr)
{
    const auto lines = TextFile::readLines(JourneyFiles::pathFor(folder, begun));
    FUZZ_CHECK(lines.has_value());
    const QStringList read = JourneyFiles::addressesOf(*lines);
    FUZZ_CHECK(read.size() <= lines->size());
    if (addresses)
        *addresses = read;
    return JourneyGraph::fromAddresses(read);
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
    QStringList addresses;
    const JourneyGraph graph = readJourney(folder, &addresses);

    for (const QString &address : addresses)
        FUZZ_CHECK(!address.isEmpty() && FuzzInput::isOneLine(address));
    FUZZ_CHECK(graph.arrows.size() == size_t(std::max<qsizetype>(0, addresses.size() - 1)));
    QSet<QString> pages;
    qsizetype visits = 0;
    for (const JourneyGraph::Node &node : graph.nodes) {
        pages.insert(node.address);
        visits += node.visits;
        FUZZ_CHECK(node.visits > 0 && node.host >= 0 && node.host < graph.hosts.size());
    }
    FUZZ_CHECK(size_t(pages.size()) == graph.nodes.size() && visits == addresses.size());
    for (const JourneyGraph::Arrow &arrow : graph.arrows)
        FUZZ_CHECK(arrow.from >= 0 && size_t(arrow.from) < graph.nodes.size() && arrow.to >= 0 &&
                   size_t(arrow.to) < graph.nodes.size());

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
