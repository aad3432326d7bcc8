#pragma once

#include <QString>

class QWebEngineView;
class SharedPrinter;
class UserDialogs;

// The commands a view carries out on its page: saving it, printing, its properties and the
// editing commands.
namespace PageCommands {

struct Context
{
    UserDialogs &dialogs;
    SharedPrinter &printer;
    // The title of the save dialog, in the language shown.
    QString saveTitle;
    // What the properties command tells of the page.
    QString properties;
};

// command: one of WebView::Command; any other does nothing.
void run(int command, QWebEngineView &engine, const Context &context);

} // namespace PageCommands
