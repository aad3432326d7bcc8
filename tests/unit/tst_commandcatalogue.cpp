#include "commands/commandcatalogue.h"
#include "language/languagename.h"
#include "commands/imagelist.h"
#include "testmain.h"

#include <QImage>
#include <QSet>
#include <QTest>

class tst_CommandCatalogue : public QObject
{
    Q_OBJECT
private:
    CommandCatalogue catalogue{LanguageName::ofFile};

private slots:
    void initTestCase()
    {
        catalogue.Make_Buttons({"Lang_Deutsch.txt", "Lang_English.txt", "Lang_Italiano.txt", "Lang_english.txt",
                                "Lang_nodot", "Lang_English.bak"});
        catalogue.Build_Bars();
    }

    void languageEntries()
    {
        QCOMPARE(catalogue.languageNames(), (QStringList{"Deutsch", "English", "Italiano"}));
        const CommandButton *english = catalogue.button("LANG:ENGLISH");
        QCOMPARE(english->caption, QString("English"));
        QCOMPARE(english->tooltip, QString("Lang_English.txt"));
        QCOMPARE(catalogue.button("LANG:DEUTSCH")->tooltip, QString("Lang_Deutsch.txt"));
        QVERIFY(!catalogue.button("LANG:NODOT"));

        CommandCatalogue lowerFirst{LanguageName::ofFile};
        lowerFirst.Make_Buttons({"Lang_english.txt", "Lang_ENGLISH.txt"});
        QCOMPARE(lowerFirst.button("LANG:ENGLISH")->caption, QString("english"));
        QCOMPARE(lowerFirst.button("LANG:ENGLISH")->tooltip, QString("Lang_english.txt"));
        QCOMPARE(lowerFirst.languageNames().size(), 1);
    }

    void everyKeyOnceAndEveryBarKeyHasAButton()
    {
        QSet<QString> keys;
        for (const CommandButton &button : catalogue.buttons()) {
            QVERIFY2(!keys.contains(button.key), qPrintable(button.key));
            keys.insert(button.key);
        }
        for (const QString &title : CommandCatalogue::menuTitles)
            QCOMPARE(catalogue.button(title)->menu, title);
        for (const QString &bar : CommandCatalogue::menuTitles + QStringList{"STANDARD0", "STANDARD1", "STANDARD2"}) {
            QVERIFY2(!catalogue.bar(bar).isEmpty(), qPrintable(bar));
            for (const QString &key : catalogue.bar(bar))
                QVERIFY2(catalogue.button(key), qPrintable(bar + ": " + key));
        }
    }

    void languagesHaveFlagsOfTheirOwn()
    {
        QList<QImage> flags;
        for (const char *name : {"English", "Italiano", "Deutsch"}) {
            const QImage flag = ImageList::icon(ImageList::languageIcon(name)).pixmap(16).toImage();
            QVERIFY2(!flag.isNull(), name);
            QVERIFY2(!flags.contains(flag), name);
            flags << flag;
        }
        QCOMPARE(ImageList::languageIcon("english"), ImageList::languageIcon("English"));
        QCOMPARE(ImageList::languageIcon("Nederlands"), ImageList::defaultLanguageIcon);
    }

    // A language called New keeps the editor's entry free and is still offered.
    void languageNewDoesNotTakeTheEditorsKey()
    {
        CommandCatalogue catalogue{LanguageName::ofFile};
        catalogue.Make_Buttons({"Lang_English.txt", "Lang_New.txt"});
        catalogue.Build_Bars();
        QCOMPARE(catalogue.bar("LANG"), (QStringList{"LANG:ENGLISH", "LANG:NEW:LANGUAGE", "LANG:NEW"}));
        QCOMPARE(catalogue.button("LANG:NEW:LANGUAGE")->caption, QString("New"));
        QCOMPARE(catalogue.button("LANG:NEW:LANGUAGE")->kind, ButtonKind::Option);
        QCOMPARE(catalogue.button("LANG:NEW")->kind, ButtonKind::Button);
        QCOMPARE(catalogue.button("LANG:NEW")->icon, 119);
        QCOMPARE(catalogue.languageFile("LANG:NEW:LANGUAGE"), QString("Lang_New.txt"));
    }
};

TAMZO_TEST_MAIN(tst_CommandCatalogue)
#include "tst_commandcatalogue.moc"
