#include "linktables/bookmarkshtml.h"
#include "linktables/linktablefile.h"
#include "testmain.h"

#include <QTest>

// A bookmarks file as browsers write it: folders, nested folders, descriptions, odd titles.
static const char *const browserFile =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file. -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n"
    "<H1>Bookmarks Menu</H1>\n"
    "<DL><p>\n"
    "    <DT><A HREF=\"https://loose.example/\" ADD_DATE=\"1262304000\">Loose   link</A>\n"
    "    <DT><H3 ADD_DATE=\"1\">Work, and play</H3>\n"
    "    <DD>folder description, not a link's\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"https://a.example/?x=1&amp;y=2\">A &amp; B, &quot;quoted&quot; &#233;t&#xE9;</A>\n"
    "        <DD>first line\n"
    "second line\n"
    "        <DT><A HREF=\"javascript:alert(1)\">script</A>\n"
    "        <DT><A HREF=\"https://b.example/;-;x\">semi ;-; colon ;-</A>\n"
    "        <DT><H3>Nested</H3>\n"
    "        <DL><p>\n"
    "            <DT><A HREF='https://c.example/'><b>日本語</b> title</A>\n"
    "            <DT><A>no address</A>\n"
    "        </DL><p>\n"
    "        <DT><A HREF=\"https://d.example/\">after nested</A>\n"
    "    </DL><p>\n"
    "    <DT><H3>Empty folder</H3>\n"
    "    <DL><p>\n"
    "    </DL><p>\n"
    "</DL><p>\n";

class tst_BookmarksHtml : public QObject
{
    Q_OBJECT
private slots:
    void readsFoldersAsTables()
    {
        const BookmarksHtml::Contents contents = BookmarksHtml::read(QString::fromUtf8(browserFile), "2026-12-08");
        QCOMPARE(contents.skipped, 2);
        QStringList tables;
        for (const auto &folder : contents.folders)
            tables << folder.title;
        QCOMPARE(tables, (QStringList{"", "Work; and play", "Nested"}));

        const auto &loose = contents.folders[0].rows;
        QCOMPARE(loose.size(), size_t(1));
        QCOMPARE(loose[0][LinkRow::Title], "Loose link");
        QCOMPARE(loose[0][LinkRow::Date], QDateTime::fromSecsSinceEpoch(1262304000).date().toString("yyyy-MM-dd"));

        const auto &work = contents.folders[1].rows;
        QCOMPARE(work.size(), size_t(3));
        QCOMPARE(work[0][LinkRow::Title], QString::fromUtf8("A & B, \"quoted\" été"));
        QCOMPARE(work[0][LinkRow::Address], "https://a.example/?x=1&y=2");
        QCOMPARE(work[0][LinkRow::Notes], "first line second line");
        QCOMPARE(work[0][LinkRow::Date], "2026-12-08");
        QCOMPARE(work[2][LinkRow::Title], "after nested");
        // Separators in a title or an address are broken up so that the table file reads back.
        for (int column = 1; column <= LinkRow::fieldCount; ++column)
            QVERIFY2(LinkTableFile::storable(work[1][column]), qPrintable(work[1][column]));
        QCOMPARE(contents.folders[2].rows.at(0)[LinkRow::Title], QString::fromUtf8("日本語 title"));
    }

    void writtenTablesReadBackTheSame_data()
    {
        QTest::addColumn<bool>("withSecrets");
        QTest::addColumn<QString>("date");
        QTest::newRow("secrets left out") << false << "2024-02-29";
        QTest::newRow("secrets asked for") << true << "2024-02-29";
        // The date of second 1, the earliest a file's date gives.
        QTest::newRow("the clock's first day") << false << QDateTime::fromSecsSinceEpoch(1).date().toString("yyyy-MM-dd");
    }
    void writtenTablesReadBackTheSame()
    {
        QFETCH(bool, withSecrets);
        QFETCH(QString, date);
        LinkRow row;
        row.fields = {QString::fromUtf8("R&D <b>, Größe"), "https://e.example/a?b=1&c=<2>", "notes \"here\"",
                      "p4ss'word", "https://e.example/a?b=1&c=<2>", date};
        LinkRow blank;
        const std::vector<BookmarksHtml::Folder> tables{{"Table <1>", {row, blank}}, {"Other", {}}};
        const QString html = BookmarksHtml::write(tables, withSecrets);
        QCOMPARE(html.contains("p4ss"), withSecrets);

        const BookmarksHtml::Contents back = BookmarksHtml::read(html, "2000-01-01");
        QCOMPARE(back.skipped, 0);
        QCOMPARE(back.folders.size(), size_t(1));
        QCOMPARE(back.folders[0].title, "Table <1>");
        LinkRow expected = row;
        if (!withSecrets)
            expected[LinkRow::Secret].clear();
        QCOMPARE(back.folders[0].rows.size(), size_t(1));
        QCOMPARE(back.folders[0].rows[0].fields, expected.fields);
    }

    // Files other programs wrote, and their links as "folder/title|notes|date".
    void oddFiles_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("a link after a description")
            << "<DT><A HREF=\"https://a.example/\">first</A><DD>about first <A HREF=\"https://b.example/\">second</A>"
            << QStringList{"/first|about first|2026-12-08", "/second||2026-12-08"};
        QTest::newRow("a title never ended")
            << "<DT><A HREF=\"https://a.example/\">first\n<DT><A HREF=\"https://b.example/\">second</A>"
            << QStringList{"/first||2026-12-08", "/second||2026-12-08"};
        QTest::newRow("a heading never ended") << "<DT><H3>Folder\n<DL><p><DT><A HREF=\"https://a.example/\">in it</A></DL>"
                                               << QStringList{"Folder/in it||2026-12-08"};
        QTest::newRow("no title, a tab in the address") << "<DT><A HREF=\"https://a.example/\tx\"></A>"
                                                        << QStringList{"/https://a.example/ x||2026-12-08"};
        QTest::newRow("dates past the year 9999 and beyond any clock")
            << "<DT><A HREF=\"https://a.example/\" ADD_DATE=\"253402387200\">a</A>"
               "<DT><A HREF=\"https://b.example/\" ADD_DATE=\"99999999999999999\">b</A>"
            << QStringList{"/a||2026-12-08", "/b||2026-12-08"};
    }
    void oddFiles()
    {
        QFETCH(QString, html);
        QFETCH(QStringList, links);
        QStringList read;
        for (const auto &folder : BookmarksHtml::read(html, "2026-12-08").folders) {
            for (const LinkRow &row : folder.rows)
                read << folder.title + '/' + row[LinkRow::Title] + '|' + row[LinkRow::Notes] + '|' + row[LinkRow::Date];
        }
        QCOMPARE(read, links);
    }
};

TAMZO_TEST_MAIN(tst_BookmarksHtml)
#include "tst_bookmarkshtml.moc"
