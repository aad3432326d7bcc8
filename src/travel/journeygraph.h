#pragma once

#include <QHash>
#include <QStringList>
#include <vector>

// A journey as a graph: one node a page (its "#" places are the same page), one arrow a step.
// Step k of the journey opened its k-th address from the page of step k - 1; the first page
// opened is where the picture starts.
struct JourneyGraph
{
    struct Node
    {
        QString address;
        QString label;
        int visits = 0;
        int host = 0; // index into hosts
    };
    struct Arrow
    {
        int from = 0;
        int to = 0;
        int step = 0;
    };

    std::vector<Node> nodes; // nodes[0] is the start, when there is one
    std::vector<Arrow> arrows;
    QStringList hosts; // in the order they were first reached

    // titles: page titles by page address; a page without one is labelled by its address.
    static JourneyGraph fromAddresses(const QStringList &addresses, const QHash<QString, QString> &titles = {});
};
