#include "language/languagefile.h"
#include "core/programstate.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTest>

class tst_LanguageFile : public QObject
{
    Q_OBJECT
private:
    static LanguageFile::ReadResult read(ProgramState &state, const TempAppFolder &folder, const QStringList &lines,
                                         const QString &name = "Test")
    {
        folder.write("Languages/Lang_" + name + ".txt", lines);
        state.languageName = name.toLower();
        return LanguageFile::Read_Lang(state);
    }

private slots:
    void reads_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("captionNumber");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("searchUrl");
        QTest::addColumn<QString>("startPage");
        QTest::addColumn<QString>("langCode");
        QTest::addColumn<int>("tabWidth");

        // Before each read: search "old search", start page "old start", code "Old", width 7.
        QTest::newRow("heading and settings do not count")
            << QStringList{"[Head]", "START_PAGE=http://s", "SEARCH_URL=http://q", "\"First\"", "\"Second\""}
            << 1 << "First" << "http://q" << "http://s" << "Old" << 7;
        // Some editors begin a UTF-8 file with a byte-order mark.
        QTest::newRow("byte-order mark before the first caption")
            << QStringList{QChar(0xFEFF) + QString("\"First\""), "\"Second\""}
            << 1 << "First" << "old search" << "old start" << "Old" << 7;
        QTest::newRow("byte-order mark before a setting")
            << QStringList{QChar(0xFEFF) + QString("START_PAGE=http://s")}
            << 1 << "" << "old search" << "http://s" << "Old" << 7;
        QTest::newRow("quotes and equals kept") << QStringList{"\"Print\"", "\"a=b\"", "\"say \"hi\"\""}
                                                << 3 << "say \"hi\"" << "old search" << "old start" << "Old" << 7;
        QTest::newRow("equals in a caption is no setting") << QStringList{"\"SEARCH_URL=x\""}
                                                           << 1 << "SEARCH_URL=x" << "old search" << "old start"
                                                           << "Old" << 7;
        QTest::newRow("spaces before the key") << QStringList{"   START_PAGE=http://p"}
                                               << 1 << "" << "old search" << "http://p" << "Old" << 7;
        QTest::newRow("space before equals matches nothing") << QStringList{"START_PAGE =http://p"}
                                                             << 1 << "" << "old search" << "old start" << "Old" << 7;
        QTest::newRow("key upper-cased") << QStringList{"start_page=http://lower"}
                                         << 1 << "" << "old search" << "http://lower" << "Old" << 7;
        QTest::newRow("value keeps its leading space") << QStringList{"SEARCH_URL= http://q   "}
                                                       << 1 << "" << " http://q" << "old start" << "Old" << 7;
        QTest::newRow("value split at the first equals") << QStringList{"SEARCH_URL=http://q?a=b"}
                                                         << 1 << "" << "http://q?a=b" << "old start" << "Old" << 7;
        QTest::newRow("lang trimmed then three letters") << QStringList{"LANG=  English  "}
                                                         << 1 << "" << "old search" << "old start" << "Eng" << 7;
        QTest::newRow("width halves down to even") << QStringList{"TAB_WIDTH=120.5"}
                                                   << 1 << "" << "old search" << "old start" << "Old" << 120;
        QTest::newRow("width halves up to even") << QStringList{"TAB_WIDTH=121.5"}
                                                 << 1 << "" << "old search" << "old start" << "Old" << 122;
        QTest::newRow("width without digits is 0") << QStringList{"TAB_WIDTH=wide"}
                                                   << 1 << "" << "old search" << "old start" << "Old" << 0;
        QTest::newRow("the last repeated key wins") << QStringList{"SEARCH_URL=http://1", "SEARCH_URL=http://2"}
                                                    << 1 << "" << "http://2" << "old start" << "Old" << 7;
        QTest::newRow("tabs are not stripped") << QStringList{"\t\"tabbed\""}
                                               << 1 << "" << "old search" << "old start" << "Old" << 7;
        QTest::newRow("bare quote gives an empty caption") << QStringList{"\"", "\"Second\""}
                                                           << 2 << "Second" << "old search" << "old start" << "Old"
                                                           << 7;
        QTest::newRow("unknown keys and other lines skipped")
            << QStringList{"HELP_PAGE=x", "F2=y", "just text", "", "\"One\""}
            << 1 << "One" << "old search" << "old start" << "Old" << 7;
    }
    void reads()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, captionNumber);
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        state.searchUrl = "old search";
        state.startPage = "old start";
        state.langCode = "Old";
        state.tabWidth = 7;
        QVERIFY(read(state, folder, lines).found);
        QTEST(state.captions[captionNumber], "caption");
        QTEST(state.searchUrl, "searchUrl");
        QTEST(state.startPage, "startPage");
        QTEST(state.langCode, "langCode");
        QTEST(int(state.tabWidth), "tabWidth");
    }

    void aNewFileEmptiesTheCaptionsButKeepsTheSettings()
    {
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        read(state, folder, {"SEARCH_URL=http://first", "\"one\"", "\"two\"", "\"three\""}, "First");
        QCOMPARE(state.caption(3), QString("three"));
        read(state, folder, {"\"uno\""}, "Second");
        QCOMPARE(state.caption(1), QString("uno"));
        QCOMPARE(state.caption(2), QString());
        QCOMPARE(state.caption(3), QString());
        QCOMPARE(state.searchUrl, QString("http://first"));
    }

    void tabNumberIsReported_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("given");
        QTest::addColumn<double>("value");
        QTest::newRow("none") << QStringList{"\"x\""} << false << 0.0;
        QTest::newRow("plain") << QStringList{"TAB_NUMBER=5"} << true << 5.0;
        QTest::newRow("lower-case key") << QStringList{"tab_number=4"} << true << 4.0;
        QTest::newRow("last wins") << QStringList{"TAB_NUMBER=5", "TAB_NUMBER=2.5"} << true << 2.5;
    }
    void tabNumberIsReported()
    {
        QFETCH(QStringList, lines);
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        const auto result = read(state, folder, lines);
        QTEST(result.tabNumber.has_value(), "given");
        QTEST(result.tabNumber.value_or(0), "value");
    }

    void captionsBeyondTheTableAreDropped()
    {
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        QStringList lines;
        for (int i = 1; i <= ProgramState::captionSlots + 20; ++i)
            lines.append(QString("\"caption %1\"").arg(i));
        lines.append("SEARCH_URL=http://after");
        read(state, folder, lines);
        const int last = ProgramState::captionSlots - 1;
        QCOMPARE(state.caption(last), QString("caption %1").arg(last));
        QCOMPARE(state.caption(last + 1), QString());
        QCOMPARE(state.searchUrl, QString("http://after"));
    }

    void fileNameMatchesWithoutRegardToCase()
    {
        TempAppFolder folder;
        ProgramState state{AppFolder(folder.root())};
        folder.write("Languages/Lang_Italiano.txt", {"\"Esci\""});
        state.languageName = "italiano";
        QVERIFY(LanguageFile::Read_Lang(state).found);
        QCOMPARE(state.caption(1), QString("Esci"));
        state.languageName = "nowhere";
        QVERIFY(!LanguageFile::Read_Lang(state).found);
        QCOMPARE(state.caption(1), QString());
    }

    void deliveredFilesHaveEveryCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("English") << "English";
        QTest::newRow("Italiano") << "Italiano";
    }
    void deliveredFilesHaveEveryCaption()
    {
        QFETCH(QString, name);
        TempAppFolder folder;
        folder.stageDelivered();
        QVERIFY(QDir(folder.root()).mkdir("Languages"));
        QVERIFY(QFile::rename(folder.path("Lang_" + name + ".txt"), folder.path("Languages/Lang_" + name + ".txt")));
        ProgramState state{AppFolder(folder.root())};
        state.languageName = name;
        const auto result = LanguageFile::Read_Lang(state);
        QVERIFY(result.found);
        for (int number = 1; number <= 223; ++number)
            QVERIFY2(!state.caption(number).isEmpty(), qPrintable(QString::number(number)));
        // The program's own messages.
        for (int number = 224; number <= 227; ++number)
            QVERIFY2(!state.caption(number).isEmpty(), qPrintable(QString::number(number)));
        QCOMPARE(result.tabNumber.value_or(0), 5.0);
        for (const QString &url : {state.startPage, state.searchUrl, state.dictionaryUrl, state.mapUrl,
                                   state.socialUrl, state.ecommerceUrl, state.translatorAddress})
            QVERIFY2(url.startsWith("https://"), qPrintable(url));
        QCOMPARE(state.langCode, name.left(3));
    }
};

TAMZO_TEST_MAIN(tst_LanguageFile)
#include "tst_languagefile.moc"
