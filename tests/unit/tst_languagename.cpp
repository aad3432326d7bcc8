#include "commands/commandcatalogue.h"
#include "language/languagename.h"
#include "core/programstate.h"
#include "dialogs/frmabout.h"
#include "dialogs/usermanual.h"
#include "core/version.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using Verdict = LanguageName::Verdict;
Q_DECLARE_METATYPE(LanguageName::Verdict)

class tst_LanguageName : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Verdict>("verdict");
        QTest::newRow("plain") << "Deutsch" << Verdict::Valid;
        QTest::newRow("inner blank") << "Schweizer Deutsch" << Verdict::Valid;
        QTest::newRow("accented") << "Français" << Verdict::Valid;
        QTest::newRow("empty") << "" << Verdict::Empty;
        for (const char *name : {"a/b", "a\\b", "..", "x..y", "De.ch", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b",
                                 "a|b"})
            QTest::newRow(name) << QString::fromLatin1(name) << Verdict::ForbiddenCharacter;
        QTest::newRow("tab") << "a\tb" << Verdict::ControlCharacter;
        QTest::newRow("line feed") << "a\nb" << Verdict::ControlCharacter;
        QTest::newRow("nul") << QString(QChar(0)) << Verdict::ControlCharacter;
        QTest::newRow("delete") << "a\x7f" << Verdict::ControlCharacter;
        QTest::newRow("line separator") << QString(QChar(0x2028)) << Verdict::ControlCharacter;
        QTest::newRow("zero width space") << QString("Deu") + QChar(0x200B) + "tsch" << Verdict::ControlCharacter;
        QTest::newRow("left-to-right mark") << QString("Deutsch") + QChar(0x200E) << Verdict::ControlCharacter;
        QTest::newRow("byte order mark") << QString(QChar(0xFEFF)) + "Deutsch" << Verdict::ControlCharacter;
        QTest::newRow("tag letter") << "Deutsch" + QString::fromUcs4(U"\U000E0041") << Verdict::ControlCharacter;
    }
    void check()
    {
        QFETCH(QString, name);
        QFETCH(Verdict, verdict);
        QCOMPARE(LanguageName::check(name), verdict);
    }

    void existingFileWhateverTheCase()
    {
        TempAppFolder folder;
        folder.write("Languages/Lang_English.txt", {"\"Exit\""});
        folder.write("Languages/Lang_Deutsch.Txt", {"\"Ende\""});
        folder.write("Languages/notes.txt", {"x"});
        const QDir languages(folder.path("Languages"));
        QCOMPARE(LanguageName::existingFile(languages, "deutsch"), folder.path("Languages/Lang_Deutsch.Txt"));
        QCOMPARE(LanguageName::existingFile(languages, "ENGLISH"), folder.path("Languages/Lang_English.txt"));
        QCOMPARE(LanguageName::existingFile(languages, "Engl"), QString());
        QCOMPARE(LanguageName::existingFile(languages, "notes"), QString());
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

    void manualOfTheLanguage_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("langCode");
        QTest::addColumn<QString>("expected");
        const QStringList both{"TamzoManualEng.html", "TamzoManualIta.html"};
        QTest::newRow("english") << both << "Eng" << "TamzoManualEng.html";
        QTest::newRow("italian") << both << "Ita" << "TamzoManualIta.html";
        QTest::newRow("code in other case") << both << "ITA" << "TamzoManualIta.html";
        QTest::newRow("language without manual") << both << "Deu" << "TamzoManualEng.html";
        QTest::newRow("no code") << both << "" << "TamzoManualEng.html";
        QTest::newRow("code that is a path") << both << "../" << "TamzoManualEng.html";
        QTest::newRow("only italian, english asked") << QStringList{"TamzoManualIta.html"} << "Eng" << "";
        QTest::newRow("none") << QStringList{} << "Ita" << "";
    }
    void manualOfTheLanguage()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, langCode);
        QFETCH(QString, expected);
        TempAppFolder folder;
        QDir().mkpath(folder.path("Data"));
        for (const QString &name : installed)
            folder.write("Data/" + name, {"<html></html>"});
        ProgramState state{AppFolder(folder.root())};
        state.langCode = langCode;
        QCOMPARE(UserManual::path(state), expected.isEmpty() ? QString() : folder.path("Data/" + expected));
    }

    void versionLine_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("line");
        QTest::newRow("build") << programVersion() << "Version " + programVersion();
        QTest::newRow("leading zeros") << "01.002.0030" << "Version 1.2.30";
        QTest::newRow("short") << "3" << "Version 3.0.0";
    }
    void versionLine()
    {
        QFETCH(QString, version);
        QFETCH(QString, line);
        QCOMPARE(frmAbout::versionLine("Version", version), line);
    }
    void buildVersionHasThreeNumbers()
    {
        QVERIFY(QRegularExpression("^(0|[1-9][0-9]*)(\\.(0|[1-9][0-9]*)){2}$").match(programVersion()).hasMatch());
    }
};

TAMZO_TEST_MAIN(tst_LanguageName)
#include "tst_languagename.moc"
