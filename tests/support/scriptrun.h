#pragma once

#include <QProcess>
#include <QStringList>

// One of the repository's own scripts (scripts/...) run with Debian's python3 in a folder: its
// exit status and everything it printed.
struct ScriptRun
{
    int status = -1;
    QString output;

    static ScriptRun of(const QString &script, const QStringList &arguments, const QString &folder = TAMZO_SOURCE_DIR)
    {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral("/usr/bin/python3"),
                      QStringList{QStringLiteral(TAMZO_SOURCE_DIR "/") + script} + arguments);
        ScriptRun run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            run.status = process.exitCode();
        run.output = QString::fromUtf8(process.readAll());
        return run;
    }
};
