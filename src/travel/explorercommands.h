#pragma once

#include <QObject>

class CommandBars;
class Dispatcher;
class TravelEngine;
class UserDialogs;
struct ProgramState;

// The four checkable explorer entries of the TRAVEL menu: read from their file at start-up, and
// each click saves them and hands them to the travel engine.
class ExplorerCommands : public QObject
{
    Q_OBJECT
public:
    // In the order of explorerFlags.
    static inline const QStringList keys = {"TRAVEL:SAMEPAGE", "TRAVEL:NEWPAGES", "TRAVEL:SITE", "TRAVEL:JUMPBACK"};

    ExplorerCommands(ProgramState &state, TravelEngine &travel, CommandBars &bars, UserDialogs &dialogs,
                     Dispatcher &dispatcher, QObject *parent = nullptr);

private:
    void takeChecks();

    ProgramState &m_state;
    TravelEngine &m_travel;
    CommandBars &m_bars;
    UserDialogs &m_dialogs;
};
