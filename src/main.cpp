#include "app/frmstart.h"
#include "core/programstate.h"
#include "platform/enginesetup.h"
#include "platform/exitsignals.h"
#include "platform/qtdesktopshell.h"
#include "platform/qtuserdialogs.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TamzoTravel"));

    ProgramState state(AppFolder(QCoreApplication::applicationDirPath()));
    QtUserDialogs dialogs;
    QtDesktopShell shell;
    frmStart form(state, dialogs, shell);
    if (!form.Form_Load())
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
