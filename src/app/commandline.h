#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What the command line asks of the program: `--help` and `--version` print and end it;
// one ADDRESS is opened in the first tab instead of the start address.
class CommandLine
{
public:
    enum class Action { Run, Print, Fail };

    // The arguments after the program's name, as given: the toolkit's own options (-platform,
    // -style, -display ...) are passed over, so that every answer, a mistake's too, is given before
    // the toolkit has started and needs no display. Help and version win over anything else.
    // Everything from `--webEngineArgs` on belongs to the web engine. A relative path names a
    // local file when one exists in the working folder.
    static CommandLine parse(const QStringList &arguments, const QString &workingFolder);

    static QString help();

    // Why the window could not be shown, when no display is named (by the toolkit's -platform or
    // -display option, or by QT_QPA_PLATFORM, DISPLAY or WAYLAND_DISPLAY); empty otherwise. The
    // toolkit itself would abort without one.
    static QString missingDisplay(const QStringList &arguments, const QProcessEnvironment &environment);

    Action action() const { return m_action; }
    // Printed to standard output (help, version) or standard error (a mistake).
    const QString &text() const { return m_text; }
    // The address to open first; empty for the start address.
    const QString &address() const { return m_address; }

private:
    static CommandLine ending(Action action, QString text);

    Action m_action = Action::Run;
    QString m_text;
    QString m_address;
};
