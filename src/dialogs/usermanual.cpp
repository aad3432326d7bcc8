#include "usermanual.h"

#include "core/programstate.h"
#include "platform/desktopshell.h"
#include "platform/userdialogs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QString UserManual::fileName(const QString &langCode) { return u"\\Data\\TamzoManual" % langCode % u".html"; }

QString UserManual::path(const ProgramState &state)
{
    // The code becomes part of a file name: anything but letters counts as no code.
    const QString code = state.langCode.trimmed();
    const bool usable = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) { return c.isLetter(); });
    for (const QString &candidate : {usable ? code : englishCode, englishCode}) {
        const QString file = state.appFolder.path(fileName(candidate));
        if (QFileInfo(file).isFile())
            return file;
    }
    return QString();
}

void UserManual::open(const ProgramState &state, DesktopShell &shell, UserDialogs &dialogs)
{
    const QString manual = path(state);
    if (manual.isEmpty()) {
        dialogs.message(state.caption(missingCaption, "The user manual is missing:") % u'\n' %
                        QDir::toNativeSeparators(state.appFolder.path(fileName(englishCode))));
        return;
    }
    shell.open(manual, QStringLiteral("Open"));
}
