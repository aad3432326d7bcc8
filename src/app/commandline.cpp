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

CommandLine CommandLine::parse(const QStringList &arguments, const QString &workingFolder)
{
    const QStringList ours = arguments.mid(0, arguments.indexOf(QStringLiteral("--webEngineArgs")));
    const QStringList options = ours.mid(0, ours.indexOf(QStringLiteral("--")));
    CommandLine result;
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h"))) {
        result.m_action = Action::Print;
        result.m_text = help();
        return result;
    }
    if (options.contains(QStringLiteral("--version"))) {
        result.m_action = Action::Print;
        result.m_text = u"TamzoTravel " % programVersion() % u'\n';
        return result;
    }

    QStringList addresses;
    bool optionsEnded = false;
    for (const QString &argument : ours) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            result.m_action = Action::Fail;
            result.m_text = u"tamzotravel: unknown option " % argument % u"\nTry 'tamzotravel --help'.\n";
            return result;
        } else {
            addresses.append(argument);
        }
    }
    if (addresses.size() > 1) {
        result.m_action = Action::Fail;
        result.m_text = QStringLiteral("tamzotravel: give at most one address\nTry 'tamzotravel --help'.\n");
        return result;
    }
    if (addresses.isEmpty())
        return result;
    const QUrl url = QUrl::fromUserInput(addresses.first().trimmed(), workingFolder);
    if (!url.isValid() || url.isEmpty()) {
        result.m_action = Action::Fail;
        result.m_text = u"tamzotravel: not an address: " % addresses.first() % u'\n';
        return result;
    }
    result.m_address = url.toString(QUrl::FullyEncoded);
    return result;
}
