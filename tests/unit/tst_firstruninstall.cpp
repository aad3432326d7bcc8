#include "app/firstruninstall.h"
#include "core/appfolder.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QTest>

class tst_FirstRunInstall : public QObject
{
    Q_OBJECT
private:
    static void deliver(const TempAppFolder &folder, const QStringList &names)
    {
        for (const QString &name : names)
            folder.write(name, {"delivered " + name});
        folder.write("TamzoFirst.txt", {});
    }

private slots:
    void installsEverything()
    {
        TempAppFolder folder;
        deliver(folder, {"Links.Bok", "links.000", "Lang_English.txt", "Lang_Italiano.txt", "template.doc",
                         "templateh.doc"});
        folder.write("Links/links.000", {"my own table"});
        folder.write("Languages/Lang_English.txt", {"old language"});
        folder.write("Data/Template.doc", {"old template"});

        const AppFolder app(folder.root());
        QVERIFY(FirstRunInstall::pending(app));
        QCOMPARE(FirstRunInstall::Move_Data(app), QString());

        for (const char *sub : {"Links", "Data", "Languages", "Images"})
            QVERIFY2(QFileInfo(folder.path(sub)).isDir(), sub);
        QCOMPARE(folder.readLines("Links/Links.Bok"), QStringList{"delivered Links.Bok"});
        QCOMPARE(folder.readLines("Links/links.000"), QStringList{"my own table"});
        QCOMPARE(folder.readLines("Languages/Lang_English.txt"), QStringList{"delivered Lang_English.txt"});
        QCOMPARE(folder.readLines("Languages/Lang_Italiano.txt"), QStringList{"delivered Lang_Italiano.txt"});
        QCOMPARE(folder.readLines("Data/Template.doc"), QStringList{"delivered template.doc"});
        QCOMPARE(folder.readLines("Data/TemplateH.doc"), QStringList{"delivered templateh.doc"});
        for (const char *gone : {"Links.Bok", "links.000", "Lang_English.txt", "Lang_Italiano.txt",
                                 "template.doc", "templateh.doc", "TamzoFirst.txt"})
            QVERIFY2(!folder.exists(gone), gone);
        QVERIFY(!FirstRunInstall::pending(app));
    }

    void missingGroupStopsWithItsMessage_data()
    {
        QTest::addColumn<QStringList>("delivered");
        QTest::addColumn<QString>("missingItem");
        QTest::addColumn<QStringList>("movedBefore");
        QTest::newRow("no link table") << QStringList{"Lang_English.txt", "template.doc", "templateh.doc"}
                                       << "links.*" << QStringList{};
        QTest::newRow("no language") << QStringList{"Links.Bok", "template.doc", "templateh.doc"}
                                     << "Lang_English.txt" << QStringList{"Links/Links.Bok"};
        QTest::newRow("no portrait template") << QStringList{"Links.Bok", "Lang_English.txt", "templateh.doc"}
                                              << "template.doc"
                                              << QStringList{"Links/Links.Bok", "Languages/Lang_English.txt"};
        QTest::newRow("no landscape template") << QStringList{"Links.Bok", "Lang_English.txt", "template.doc"}
                                               << "templateh.doc"
                                               << QStringList{"Links/Links.Bok", "Languages/Lang_English.txt",
                                                              "Data/Template.doc"};
    }
    void missingGroupStopsWithItsMessage()
    {
        QFETCH(QStringList, delivered);
        QFETCH(QString, missingItem);
        QFETCH(QStringList, movedBefore);
        TempAppFolder folder;
        deliver(folder, delivered);
        const AppFolder app(folder.root());
        QCOMPARE(FirstRunInstall::Move_Data(app), "No " + folder.root() + "/" + missingItem + " file found!");
        for (const QString &moved : movedBefore)
            QVERIFY2(folder.exists(moved), qPrintable(moved));
        QVERIFY(folder.exists("TamzoFirst.txt"));
        // The next start stops at the first group already moved away.
        if (!movedBefore.isEmpty())
            QCOMPARE(FirstRunInstall::Move_Data(app), "No " + folder.root() + "/links.* file found!");
    }

    void nothingMovesWithoutTheMarker()
    {
        TempAppFolder folder;
        folder.write("Links.Bok", {"x"});
        folder.write("Lang_English.txt", {"x"});
        QVERIFY(!FirstRunInstall::pending(AppFolder(folder.root())));
    }

    void copyFailureNamesTheFileAndKeepsTheMarker()
    {
        TempAppFolder folder;
        deliver(folder, {"Links.Bok", "Lang_English.txt", "template.doc", "templateh.doc"});
        // A folder in the way of the installed template makes its copy fail.
        folder.write("Data/Template.doc/in-the-way", {});
        const QString message = FirstRunInstall::Move_Data(AppFolder(folder.root()));
        QVERIFY2(message.startsWith("Could not write " + folder.path("Data/Template.doc") + ": "),
                 qPrintable(message));
        QVERIFY(folder.exists("TamzoFirst.txt"));
        QVERIFY(folder.exists("template.doc"));
    }

    // An installed program: the delivered files stay in the share folder, each user's folder is
    // set up from them at the first start and again whenever they change.
    void installedFilesAreCopiedAndReachTheUserAfterAnUpdate()
    {
        TempAppFolder folder;
        const QStringList names{"Links.Bok", "Lang_English.txt", "Lang_Italiano.txt", "template.doc", "templateh.doc",
                                "manual.html"};
        for (const QString &name : names)
            folder.write("share/" + name, {"delivered " + name});
        const AppFolder user(folder.path("home/.local/share/TamzoTravel"), folder.path("share"));

        QVERIFY(FirstRunInstall::pending(user));
        QCOMPARE(FirstRunInstall::Move_Data(user), QString());
        QVERIFY(!FirstRunInstall::pending(user));
        const QString home = "home/.local/share/TamzoTravel/";
        for (const char *sub : {"Links", "Data", "Languages", "Images"})
            QVERIFY2(QFileInfo(folder.path(home + sub)).isDir(), sub);
        QCOMPARE(folder.readLines(home + "Links/Links.Bok"), QStringList{"delivered Links.Bok"});
        QCOMPARE(folder.readLines(home + "Languages/Lang_Italiano.txt"), QStringList{"delivered Lang_Italiano.txt"});
        QCOMPARE(folder.readLines(home + "Data/TemplateH.doc"), QStringList{"delivered templateh.doc"});
        QCOMPARE(folder.readLines(home + "Data/manual.html"), QStringList{"delivered manual.html"});
        for (const QString &name : names)
            QCOMPARE(folder.readLines("share/" + name), QStringList{"delivered " + name});

        // The user's own changes live on while nothing delivered changes.
        folder.write(home + "Links/Links.Bok", {"my own index"});
        folder.write(home + "Languages/Lang_Mine.txt", {"my own language"});
        QVERIFY(!FirstRunInstall::pending(user));

        // An update of the installed program brings its new language and template at the next start.
        folder.write("share/Lang_English.txt", {"updated English"});
        folder.write("share/template.doc", {"updated template"});
        QVERIFY(FirstRunInstall::pending(user));
        QCOMPARE(FirstRunInstall::Move_Data(user), QString());
        QVERIFY(!FirstRunInstall::pending(user));
        QCOMPARE(folder.readLines(home + "Languages/Lang_English.txt"), QStringList{"updated English"});
        QCOMPARE(folder.readLines(home + "Data/Template.doc"), QStringList{"updated template"});
        QCOMPARE(folder.readLines(home + "Links/Links.Bok"), QStringList{"my own index"});
        QCOMPARE(folder.readLines(home + "Languages/Lang_Mine.txt"), QStringList{"my own language"});
        QVERIFY(folder.exists("share/Lang_English.txt"));
    }

    void installedGroupMissingNamesTheShareFolderAndRetries()
    {
        TempAppFolder folder;
        for (const char *name : {"Links.Bok", "Lang_English.txt", "template.doc"})
            folder.write(QString("share/") + name, {"delivered"});
        const AppFolder user(folder.path("user"), folder.path("share"));
        QCOMPARE(FirstRunInstall::Move_Data(user), "No " + folder.path("share") + "/templateh.doc file found!");
        QVERIFY(FirstRunInstall::pending(user));
        QVERIFY(folder.exists("share/template.doc"));
        QVERIFY(folder.exists("user/Data/Template.doc"));
    }
};

TAMZO_TEST_MAIN(tst_FirstRunInstall)
#include "tst_firstruninstall.moc"
