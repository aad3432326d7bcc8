#include "qtdesktopshell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

struct SettingsPanel
{
    const char *name;
    // Desktop programs that show the panel, the first one installed wins.
    QList<QStringList> commands;
};

const SettingsPanel panels[] = {
    {"wscui.cpl", {{"gnome-control-center", "privacy"}, {"systemsettings", "kcm_firewall"}}},
    {"mmsys.cpl", {{"gnome-control-center", "sound"}, {"pavucontrol"}, {"systemsettings", "kcm_pulseaudio"}}},
    {"inetcpl.cpl", {{"gnome-control-center", "network"}, {"nm-connection-editor"}, {"systemsettings", "kcm_networkmanagement"}}},
};

} // namespace

void QtDesktopShell::open(const QString &target, const QString &)
{
    for (const SettingsPanel &panel : panels) {
        if (target.compare(QLatin1String(panel.name), Qt::CaseInsensitive) != 0)
            continue;
        for (const QStringList &command : panel.commands) {
            const QString program = QStandardPaths::findExecutable(command.first());
            if (!program.isEmpty()) {
                QProcess::startDetached(program, command.mid(1));
                return;
            }
        }
        return; // this desktop has no such panel
    }
    const QUrl url = QFileInfo(target).isAbsolute() ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    QDesktopServices::openUrl(url);
}
