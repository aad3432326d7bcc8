#include "commandline.h"

#include "core/version.h"

#include <QUrl>

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

CommandLine CommandLine::parse(const QStringList &arguments, const QString &workingFolder)
{
    const QStringList ours = arguments.mid(0, arguments.indexOf(QStringLiteral("--webEngineArgs")));
    // "--" ends the options: what follows is an address even when it begins with a dash.
    const QStringList options = ours.mid(0, ours.indexOf(QStringLiteral("--")));
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h")))
        return ending(Action::Print, help());
    if (options.contains(QStringLiteral("--version")))
        return ending(Action::Print, u"TamzoTravel " % programVersion() % u'\n');

    const QString tryHelp = QStringLiteral("\nTry 'tamzotravel --help'.\n");
    for (const QString &option : options) {
        if (option.startsWith(u'-') && option.size() > 1)
            return ending(Action::Fail, u"tamzotravel: unknown option " % option % tryHelp);
    }
    const QStringList addresses = options + ours.mid(options.size() + 1);
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
