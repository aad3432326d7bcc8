#include "qtdesktopshell.h"

#include "childenvironment.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

struct PanelProgram
{
    // The desktop it belongs to, as XDG_CURRENT_DESKTOP names it; empty: any desktop.
    const char *desktop;
    QStringList command;
};

struct SettingsPanel
{
    const char *name;
    // The running desktop's own settings program comes first, then the common ones.
    QList<PanelProgram> programs;
};

const SettingsPanel panels[] = {
    {"wscui.cpl",
     {{"GNOME", {"gnome-control-center", "privacy"}},
      {"KDE", {"systemsettings", "kcm_firewall"}},
      {"X-Cinnamon", {"cinnamon-settings", "privacy"}}}},
    {"mmsys.cpl",
     {{"GNOME", {"gnome-control-center", "sound"}},
      {"KDE", {"systemsettings", "kcm_pulseaudio"}},
      {"X-Cinnamon", {"cinnamon-settings", "sound"}},
      {"MATE", {"mate-volume-control"}},
      {"", {"pavucontrol"}},
      {"", {"pavucontrol-qt"}}}},
    {"inetcpl.cpl",
     {{"GNOME", {"gnome-control-center", "network"}},
      {"KDE", {"systemsettings", "kcm_networkmanagement"}},
      {"X-Cinnamon", {"cinnamon-settings", "network"}},
      {"", {"nm-connection-editor"}}}},
};

bool runsOn(const char *desktop)
{
    if (*desktop == 0)
        return true;
    // "ubuntu:GNOME": every name of the list counts.
    const QStringList running = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    return running.contains(QLatin1String(desktop), Qt::CaseInsensitive);
}

bool startDetached(const QString &executable, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setProcessEnvironment(ChildEnvironment::get());
    return process.startDetached();
}

bool openPanel(const SettingsPanel &panel)
{
    for (const PanelProgram &program : panel.programs) {
        if (!runsOn(program.desktop))
            continue;
        const QString executable = QStandardPaths::findExecutable(program.command.first());
        if (!executable.isEmpty() && startDetached(executable, program.command.mid(1)))
            return true;
    }
    return false;
}

} // namespace

bool QtDesktopShell::open(const QString &target, const QString &)
{
    for (const SettingsPanel &panel : panels) {
        if (target.compare(QLatin1String(panel.name), Qt::CaseInsensitive) == 0)
            return openPanel(panel);
    }
    const QUrl url = QFileInfo(target).isAbsolute() ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    // The desktop's own opener, as the toolkit would call it, but with the user's environment.
    if (const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open")); !opener.isEmpty())
        return startDetached(opener, {url.toString(QUrl::FullyEncoded)});
    return QDesktopServices::openUrl(url);
}
