#include "app/commandline.h"
#include "app/frmstart.h"
#include "core/programstate.h"
#include "platform/enginesetup.h"
#include "platform/exitsignals.h"
#include "platform/qtdesktopshell.h"
#include "platform/qtuserdialogs.h"

#include <QApplication>
#include <QDir>
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
    // Help and version are answered before the toolkit starts: they need no display.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));
    if (const CommandLine early = CommandLine::parse(rawArguments, QDir::currentPath());
        early.action() == CommandLine::Action::Print)
        return printed(early);

    prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TamzoTravel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamzotravel.TamzoTravel"));
    // The toolkit has taken its own options away by now.
    const CommandLine command = CommandLine::parse(QCoreApplication::arguments().mid(1), QDir::currentPath());
    if (command.action() != CommandLine::Action::Run)
        return printed(command);

    ProgramState state(AppFolder::forExecutable(QCoreApplication::applicationDirPath(),
                                                QProcessEnvironment::systemEnvironment()));
    QtUserDialogs dialogs;
    QtDesktopShell shell;
    frmStart form(state, dialogs, shell);
    if (!form.Form_Load(command.address()))
        return 1;
    form.show();

    // Every way of ending runs the shutdown sequence once; a signal or the end of the session
    // ends the program without waiting for anybody.
    ExitSignals exitSignals([&form] { form.exitUnattended(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager &) { form.commitData(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, &frmStart::exitUnattended);
    return app.exec();
}
