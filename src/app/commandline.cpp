#include "commandline.h"

#include "core/version.h"

#include <QUrl>
#include <algorithm>

QString CommandLine::help()
{
    return QStringLiteral("Usage: tamzotravel [ADDRESS]\n"
                          "A tabbed web browser that travels the web by itself.\n"
                          "\n"
                          "  ADDRESS     open this web address or local file in the first tab\n"
                          "              instead of the start address\n"
                          "  --help      show this help and end\n"
                          "  --version   show the program's version and end\n");
}

CommandLine CommandLine::ending(Action action, QString text)
{
    CommandLine result;
    result.m_action = action;
    result.m_text = std::move(text);
    return result;
}

// The toolkit's own options (its windowing, style and debugging ones), which it takes away when it
// starts, with one dash or two; those of the first list take the next argument as their value.
static bool isToolkitOption(const QString &argument, bool *takesValue)
{
    static const QStringList valued{"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                    "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "session",
                                    "display", "name", "visual", "style", "stylesheet"};
    static const QStringList plain{"reverse", "testability", "widgetcount", "nograb", "dograb", "sync"};
    static const QStringList withEquals{"style=", "stylesheet=", "qmljsdebugger="};
    const QString name = argument.mid(argument.startsWith(u"--") ? 2 : 1);
    *takesValue = valued.contains(name);
    return argument.startsWith(u'-') &&
           (*takesValue || plain.contains(name) ||
            std::any_of(withEquals.begin(), withEquals.end(), [&](const QString &p) { return name.startsWith(p); }));
}

static QStringList withoutToolkitOptions(const QStringList &options)
{
    QStringList left;
    for (qsizetype i = 0; i < options.size(); ++i) {
        bool takesValue = false;
        if (!isToolkitOption(options[i], &takesValue))
            left.append(options[i]);
        else if (takesValue)
            ++i;
    }
    return left;
}

CommandLine CommandLine::parse(const QStringList &arguments, const QString &workingFolder)
{
    const QStringList ours = arguments.mid(0, arguments.indexOf(QStringLiteral("--webEngineArgs")));
    // "--" ends the options: what follows is an address even when it begins with a dash.
    const qsizetype end = ours.indexOf(QStringLiteral("--"));
    const QStringList options = withoutToolkitOptions(ours.mid(0, end));
    const QStringList afterEnd = end < 0 ? QStringList() : ours.mid(end + 1);
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h")))
        return ending(Action::Print, help());
    if (options.contains(QStringLiteral("--version")))
        return ending(Action::Print, u"TamzoTravel " % programVersion() % u'\n');

    const QString tryHelp = QStringLiteral("\nTry 'tamzotravel --help'.\n");
    for (const QString &option : options) {
        if (option.startsWith(u'-') && option.size() > 1)
            return ending(Action::Fail, u"tamzotravel: unknown option " % option % tryHelp);
    }
    const QStringList addresses = options + afterEnd;
    if (addresses.size() > 1)
        return ending(Action::Fail, u"tamzotravel: give at most one address" % tryHelp);
    CommandLine result;
    if (addresses.isEmpty())
        return result;
    const QUrl url = QUrl::fromUserInput(addresses.first().trimmed(), workingFolder);
    if (!url.isValid() || url.isEmpty())
        return ending(Action::Fail, u"tamzotravel: not an address: " % addresses.first() % u'\n');
    result.m_address = url.toString(QUrl::FullyEncoded);
    return result;
}

QString CommandLine::missingDisplay(const QStringList &arguments, const QProcessEnvironment &environment)
{
    const QStringList ours = arguments.mid(0, arguments.indexOf(QStringLiteral("--webEngineArgs")));
    for (const QString &option : ours) {
        bool takesValue = false;
        const QString name = option.mid(option.startsWith(u"--") ? 2 : 1);
        if (isToolkitOption(option, &takesValue) && (name == u"platform" || name == u"display"))
            return QString();
    }
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!environment.value(QString::fromLatin1(name)).isEmpty())
            return QString();
    }
    return QStringLiteral("tamzotravel: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n");
}
