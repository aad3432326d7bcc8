#include "app/commandline.h"
#include "core/version.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QTest>

class tst_CommandLine : public QObject
{
    Q_OBJECT
private:
    TempAppFolder folder;

private slots:
    void initTestCase()
    {
        folder.write("page.html", {"<p>local</p>"});
        folder.write("--help", {"<p>a file with an odd name</p>"});
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("text");
        using A = CommandLine::Action;
        const QString version = "TamzoTravel " + programVersion() + "\n";
        const QString help = CommandLine::help();
        QTest::newRow("nothing") << QStringList{} << A::Run << "" << "";
        QTest::newRow("version") << QStringList{"--version"} << A::Print << "" << version;
        QTest::newRow("help") << QStringList{"--help"} << A::Print << "" << help;
        QTest::newRow("short help") << QStringList{"-h"} << A::Print << "" << help;
        QTest::newRow("help wins over a mistake") << QStringList{"--bogus", "--help"} << A::Print << "" << help;
        QTest::newRow("version wins over an address") << QStringList{"http://a.test/", "--version"} << A::Print << ""
                                                      << version;
        QTest::newRow("full address") << QStringList{"https://a.test/p?q=1#top"} << A::Run
                                      << "https://a.test/p?q=1#top" << "";
        QTest::newRow("address without scheme") << QStringList{"example.com/path"} << A::Run
                                                << "http://example.com/path" << "";
        QTest::newRow("local file") << QStringList{"page.html"} << A::Run
                                    << "file://" + folder.path("page.html") << "";
        QTest::newRow("after the end of options") << QStringList{"--", "http://a.test/"} << A::Run << "http://a.test/"
                                                  << "";
        QTest::newRow("a file named like an option") << QStringList{"--", "--help"} << A::Run
                                                     << "file://" + folder.path("--help") << "";
        QTest::newRow("engine's own arguments") << QStringList{"http://a.test/", "--webEngineArgs", "--version", "x"}
                                                << A::Run << "http://a.test/" << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << A::Fail << ""
                                        << "tamzotravel: unknown option --bogus\nTry 'tamzotravel --help'.\n";
        QTest::newRow("two addresses") << QStringList{"a.test", "b.test"} << A::Fail << ""
                                       << "tamzotravel: give at most one address\nTry 'tamzotravel --help'.\n";
        QTest::newRow("empty address") << QStringList{""} << A::Fail << "" << "tamzotravel: not an address: \n";
        // The toolkit takes its own options, with one dash or two, and their values.
        QTest::newRow("toolkit's options") << QStringList{"-platform", "offscreen", "--style=fusion", "-reverse",
                                                          "--display", ":1", "http://a.test/"}
                                           << A::Run << "http://a.test/" << "";
        QTest::newRow("a toolkit option's value is no address") << QStringList{"-qwindowtitle", "b.test", "a.test"}
                                                                << A::Run << "http://a.test" << "";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(QString, address);
        QFETCH(QString, text);
        const CommandLine command = CommandLine::parse(arguments, folder.root());
        QCOMPARE(command.action(), action);
        QCOMPARE(command.address(), address);
        QCOMPARE(command.text(), text);
    }

    void helpNamesEveryOption()
    {
        for (const char *option : {"ADDRESS", "--help", "--version"})
            QVERIFY2(CommandLine::help().contains(QLatin1String(option)), option);
    }
};

TAMZO_TEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
