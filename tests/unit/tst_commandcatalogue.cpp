#include "commands/commandcatalogue.h"
#include "commands/imagelist.h"
#include "testmain.h"

#include <QSet>
#include <QTest>

using Kind = ButtonKind;

class tst_CommandCatalogue : public QObject
{
    Q_OBJECT
private:
    CommandCatalogue catalogue;

private slots:
    void initTestCase()
    {
        catalogue.Make_Buttons({"Lang_Deutsch.txt", "Lang_English.txt", "Lang_Italiano.txt", "Lang_english.txt",
                                "Lang_nodot", "Lang_English.bak"});
        catalogue.Build_Bars();
    }

    void bars_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QList<int>>("icons");
        QTest::addColumn<QList<int>>("kinds");
        const int B = int(Kind::Button), S = int(Kind::Separator), O = int(Kind::Option), C = int(Kind::Check);
        QTest::newRow("STANDARD0")
            << "STANDARD0"
            << QStringList{"EXIT0", "SEP13", "BACK", "NEXT", "SEP10", "PRINT", "FAVORITE", "BRUSALDO", "SEP11", "EDIT",
                           "SAVE", "FILE", "LANG", "TRAVEL", "NAVIGATE"}
            << QList<int>{0, -1, 1, 2, -1, 5, 8, 19, -1, 7, 6, 81, 105, 126, 73}
            << QList<int>{B, S, B, B, S, B, B, B, S, B, B, B, B, B, B};
        QTest::newRow("STANDARD1") << "STANDARD1" << QStringList{"NIL4"} << QList<int>{-1}
                                   << QList<int>{int(Kind::Panel)};
        QTest::newRow("STANDARD2") << "STANDARD2"
                                   << QStringList{"GOOGLE", "SOCIAL", "EBAY", "WIKI", "MAP", "SEP14", "MIN", "EXIT2"}
                                   << QList<int>{13, 124, 125, 122, 123, -1, 22, 0}
                                   << QList<int>{B, B, B, B, B, S, B, B};
        QTest::newRow("SAVE") << "SAVE"
                              << QStringList{"SAVE:HTML", "SAVE:WORDH", "SAVE:WORDV", "SAVE:EXCEL", "SAVE:PPT", "SAVE:PDF"}
                              << QList<int>{26, 27, 28, 29, 30, 32} << QList<int>{B, B, B, B, B, B};
        QTest::newRow("EDIT") << "EDIT"
                              << QStringList{"EDIT:STOP", "EDIT:TXT", "EDIT:TXT:SEPARATOR", "EDIT:CUT", "EDIT:COPY",
                                             "EDIT:PASTE", "EDIT:DELETE", "EDIT:SELECT", "EDIT:SELECT:SEPARATOR",
                                             "EDIT:PAGESET", "EDIT:PREVIEW", "EDIT:PRINT", "EDIT:PROPERTIES",
                                             "EDIT:FINDDOC", "EDIT:VIEW:SEPARATOR", "EDIT:VIEW", "EDIT:PICTURE",
                                             "EDIT:TRANS", "EDIT:EXIT:SEPARATOR", "EDIT:EXIT"}
                              << QList<int>{3, 66, -1, 61, 62, 63, 68, 67, -1, 58, 59, 60, 79, 64, -1, 69, 78, 80, -1, 0}
                              << QList<int>{B, B, S, B, B, B, B, B, S, B, B, B, B, B, S, B, B, B, S, B};
        QTest::newRow("FILE") << "FILE"
                              << QStringList{"FILE:STYLE:SEPARATOR", "FILE:SYSTEM", "FILE:OFFICE", "FILE:XP", "FILE:MONEY",
                                             "FILE:FLOATING:SEPARATOR", "FILE:FLOATING", "FILE:FISH:SEPARATOR",
                                             "FILE:EXPLORER", "FILE:SECURITY", "FILE:VOLUME", "FILE:INTERNET",
                                             "FILE:INTERNET:SEPARATOR", "FILE:BRUSALDO", "FILE:HELP"}
                              << QList<int>{-1, 58, 9, 75, 76, -1, 72, -1, 46, 48, 37, 47, -1, 19, 77}
                              << QList<int>{S, O, O, O, O, S, C, S, B, B, B, B, S, B, B};
        QTest::newRow("NAVIGATE") << "NAVIGATE"
                                  << QStringList{"NAVIGATE:PICK", "NAVIGATE:GO", "NAVIGATE:GO:SEPARATOR", "NAVIGATE:BACK",
                                                 "NAVIGATE:REFRESH", "NAVIGATE:NEXT", "NAVIGATE:HOME:SEPARATOR",
                                                 "NAVIGATE:PICKHOME", "NAVIGATE:HOME"}
                                  << QList<int>{15, 71, -1, 1, 4, 2, -1, 83, 16} << QList<int>{B, B, S, B, B, B, S, B, B};
        QTest::newRow("TRAVEL") << "TRAVEL"
                                << QStringList{"TRAVEL:TRE", "TRAVEL:SEI", "TRAVEL:DODICI", "TRAVEL:STOP:SEPARATOR",
                                               "TRAVEL:STOP", "TRAVEL:LOG:SEPARATOR", "TRAVEL:LOG", "TRAVEL:JOURNEY",
                                               "TRAVEL:SAMEPAGE:SEPARATOR", "TRAVEL:SAMEPAGE", "TRAVEL:NEWPAGES",
                                               "TRAVEL:SITE", "TRAVEL:JUMPBACK"}
                                << QList<int>{127, 127, 127, -1, 128, -1, 10, 126, -1, -1, -1, -1, -1}
                                << QList<int>{B, B, B, S, B, S, B, B, S, C, C, C, C};
        QTest::newRow("LANG") << "LANG" << QStringList{"LANG:DEUTSCH", "LANG:ENGLISH", "LANG:ITALIANO", "LANG:NEW"}
                              << QList<int>{106, 108, 107, 119} << QList<int>{O, O, O, B};
    }
    void bars()
    {
        QFETCH(QString, bar);
        QFETCH(QStringList, keys);
        QFETCH(QList<int>, icons);
        QFETCH(QList<int>, kinds);
        QCOMPARE(catalogue.bar(bar), keys);
        for (int i = 0; i < keys.size(); ++i) {
            const CommandButton *button = catalogue.button(keys[i]);
            QVERIFY2(button, qPrintable(keys[i]));
            QCOMPARE(button->icon, icons[i]);
            QCOMPARE(int(button->kind), kinds[i]);
        }
    }

    void languageEntries()
    {
        QCOMPARE(catalogue.languageNames(), (QStringList{"Deutsch", "English", "Italiano"}));
        const CommandButton *english = catalogue.button("LANG:ENGLISH");
        QCOMPARE(english->caption, QString("English"));
        QCOMPARE(english->tooltip, QString("Lang_English.txt"));
        QCOMPARE(catalogue.button("LANG:DEUTSCH")->tooltip, QString("Lang_Deutsch.txt"));
        QVERIFY(!catalogue.button("LANG:NODOT"));

        CommandCatalogue lowerFirst;
        lowerFirst.Make_Buttons({"Lang_english.txt", "Lang_ENGLISH.txt"});
        QCOMPARE(lowerFirst.button("LANG:ENGLISH")->caption, QString("english"));
        QCOMPARE(lowerFirst.button("LANG:ENGLISH")->tooltip, QString("Lang_english.txt"));
        QCOMPARE(lowerFirst.languageNames().size(), 1);
    }

    void everyKeyOnce()
    {
        QSet<QString> keys;
        for (const CommandButton &button : catalogue.buttons()) {
            QVERIFY2(!keys.contains(button.key), qPrintable(button.key));
            keys.insert(button.key);
        }
        for (const char *other : {"EXIT5", "EXIT6", "ADDURL", "EDITURL", "GOURL", "SORT", "SAVE2", "HELP2", "TITLE",
                                  "CANCEL", "SAVE3", "SEP1", "SEP16"})
            QVERIFY2(catalogue.button(other), other);
        for (const QString &title : CommandCatalogue::menuTitles)
            QCOMPARE(catalogue.button(title)->menu, title);
    }

    void languageIcons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("icon");
        QTest::newRow("English") << "English" << 108;
        QTest::newRow("Italiano") << "Italiano" << 107;
        QTest::newRow("Deutsch") << "Deutsch" << 106;
        QTest::newRow("German") << "German" << 112;
        QTest::newRow("lower case") << "francais" << 111;
        QTest::newRow("Nederlands has no picture") << "Nederlands" << 106;
    }
    void languageIcons()
    {
        QFETCH(QString, name);
        QTEST(ImageList::languageIcon(name), "icon");
    }
};

TAMZO_TEST_MAIN(tst_CommandCatalogue)
#include "tst_commandcatalogue.moc"
