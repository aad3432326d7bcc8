#include "language/languagename.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
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
};

TAMZO_TEST_MAIN(tst_LanguageName)
#include "tst_languagename.moc"
