#pragma once

#include <QProcessEnvironment>

// The environment the user started the program with, for the programs it starts (the desktop's
// file handlers, the settings panels, the office). The program moves XDG_DATA_HOME into its own
// folder for the web engine's sake, once, before any thread runs; the programs it starts must see
// the user's own.
class ChildEnvironment
{
public:
    // Called once, before anything changes the program's own environment.
    static void remember();
    // The remembered environment; the current one when nothing was remembered.
    static QProcessEnvironment get();
};
