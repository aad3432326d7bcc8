#include "app/commandline.h"
#include "browsing/tabset.h"
#include "browsing/webprofile.h"
#include "app/frmstart.h"
#include "core/programstate.h"
#include "platform/enginesetup.h"
#include "platform/exitsignals.h"
#include "platform/qtdesktopshell.h"
#include "platform/qtuserdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSessionManager>
#include <cstdio>

static int printed(const CommandLine &command)
{
    const bool mistake = command.action() == CommandLine::Action::Fail;
    std::fputs(command.text().toLocal8Bit().constData(), mistake ? stderr : stdout);
    return mistake ? 2 : 0;
}

int main(int argc, char *argv[])
{
    // The command line is answered before the toolkit starts: help, version and mistakes need no display.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = CommandLine::parse(rawArguments, QDir::currentPath());
    if (command.action() != CommandLine::Action::Run)
        return printed(command);
    if (const QString missing = CommandLine::missingDisplay(rawArguments, QProcessEnvironment::systemEnvironment());
        !missing.isEmpty()) {
        std::fputs(missing.toLocal8Bit().constData(), stderr);
        return 1;
    }

    // Before anything else, and before any other thread: a signal from now on ends the run with the
    // files saved.
    ExitSignals::install();
    // The application object is not there yet to say where the executable lies.
    const AppFolder folder = AppFolder::forExecutable(
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath(),
        QProcessEnvironment::systemEnvironment());
    WebProfile::prepareFolder(folder.path(TabSet::profileFolder));
    prepareWebEngine();
    QApplication app(argc, argv);
    chooseWebRendering();
    QApplication::setApplicationName(QStringLiteral("TamzoTravel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamzotravel.TamzoTravel"));

    ProgramState state(folder);
    QtUserDialogs dialogs;
    QtDesktopShell shell;
    frmStart form(state, dialogs, shell);
    // Every way of ending runs the shutdown sequence once; a signal or the end of the session
    // ends the program without waiting for anybody (a signal during the start-up once it is complete).
    ExitSignals exitSignals([&form] { form.exitUnattended(); });
    if (!form.Form_Load(command.address()))
        return 1;
    form.showAfterFirstPage();

    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager &) { form.commitData(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, &frmStart::exitUnattended);
    return app.exec();
}
