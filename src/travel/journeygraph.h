#pragma once

#include <QHash>
#include <QStringList>
#include <vector>

// A journey as a graph: one node a page (its "#" places are the same page), one arrow for every
// pair of pages a step went between, however often. Steps are numbered through the run: step k
// opened its page from the page of step k - 1, or, the first step of a travel, from the page the
// travel began on. Nodes and arrows are only ever added, so an index stays the same page or arrow
// while the journey grows.
struct JourneyGraph
{
    struct Node
    {
        QString address;
        QString label;
        int visits = 0;
        int host = 0; // index into hosts
        QList<int> travelsBegun; // the travels (1, 2, ...) that began on this page
    };
    struct Arrow
    {
        int from = 0;
        int to = 0;
        std::vector<int> steps; // ascending
    };

    std::vector<Node> nodes;
    std::vector<Arrow> arrows;
    QStringList hosts; // in the order they were first reached
    int steps = 0;
    int travels = 0;

    // A travel begins on the page shown.
    void beginTravel(const QString &address);
    void endTravel();
    // A step opened the address. Without a travel begun (journeys kept before the begin was
    // recorded), the page it opened is where a travel begins.
    void addStep(const QString &address);
    // A page shown gets its title; a page not reached yet keeps it for when it is.
    void setTitle(const QString &address, const QString &title);
    // Titles by page (Explorer::pageOf) of pages reached.
    void setTitles(const QHash<QString, QString> &byPage);

    // The node of an address, -1 when the journey never came to it.
    int nodeOf(const QString &address) const;
    // The arrow between two nodes, -1 when no step went that way.
    int arrowOf(int from, int to) const;

    // The text a page's box shows: where travels began, its title, how often the journey came.
    static QString nodeText(const Node &node);
    // The text along an arrow: its step, or how many steps and the first of them.
    static QString arrowText(const Arrow &arrow);
    // Every step of an arrow, for its tooltip (the first hundreds of a very busy one).
    static QString arrowSteps(const Arrow &arrow);

private:
    int reach(const QString &address);

    QHash<QString, int> m_nodeOf;
    // Each host found by a hash: a journey over many sites would otherwise search them all at each new page.
    QHash<QString, int> m_hostOf;
    QHash<quint64, int> m_arrowOf;
    QHash<QString, QString> m_titles;
    int m_current = -1;
};
