#include "linktables/bookmarkshtml.h"
#include "linktables/linktablefile.h"
#include "testmain.h"

#include <QDateTime>
#include <QTest>
#include <ctime>

using Tables = std::vector<BookmarksHtml::Folder>;
Q_DECLARE_METATYPE(Tables)

// A bookmarks file as browsers write it: folders, nested folders, descriptions, odd titles.
static const char *const browserFile =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file. <A HREF=\"https://comment.example/\">not a link</A> -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n"
    "<H1>Bookmarks Menu</H1>\n"
    "<DL><p>\n"
    "    <DT><A HREF=\"https://loose.example/\" ADD_DATE=\"1262304000\" ICON=\"data:image/png;base64,AAAA>\">Loose   link</A>\n"
    "    <DT><H3 ADD_DATE=\"1\">Work, and play</H3>\n"
    "    <DD>folder description, not a link's\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"https://a.example/?x=1&amp;y=2\" ADD_DATE=\"1709215509\">A &amp; B, &quot;quoted&quot; &#233;t&#xE9;</A>\n"
    "        <DD>first line\n"
    "second line\n"
    "        <DT><A HREF=\"javascript:alert(1)\">script</A>\n"
    "        <DT><A HREF=\"ftp://files.example/\">files</A>\n"
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

static LinkRow row(const QString &title, const QString &address, const QString &date,
                   const QString &notes = QString(), const QString &secret = QString(), const QString &typed = QString())
{
    LinkRow link;
    link.fields = {title, address, notes, secret, typed.isNull() ? address : typed, date};
    return link;
}

static QString oneLink(const QString &href) { return "<DL><p><DT><A HREF=\"" + href + "\">Link</A></DL><p>"; }

class tst_BookmarksHtml : public QObject
{
    Q_OBJECT
private slots:
    // Local times are those of a zone with summer time.
    void initTestCase()
    {
        qputenv("TZ", "Europe/Rome");
        tzset();
    }

    void readsFoldersAsTables()
    {
        const BookmarksHtml::Contents contents = BookmarksHtml::read(QString::fromUtf8(browserFile), "2026-12-08");
        QCOMPARE(contents.skipped, 3);
        QStringList tables;
        for (const auto &folder : contents.folders)
            tables << folder.title;
        QCOMPARE(tables, (QStringList{"", "Work; and play", "Work; and play / Nested"}));

        const auto &loose = contents.folders[0].rows;
        QCOMPARE(loose.size(), size_t(1));
        QCOMPARE(loose[0][LinkRow::Title], "Loose   link");
        QCOMPARE(loose[0][LinkRow::Date], "2010-01-01 01:00:00");

        const auto &work = contents.folders[1].rows;
        QCOMPARE(work.size(), size_t(3));
        QCOMPARE(work[0][LinkRow::Title], QString::fromUtf8("A & B, \"quoted\" été"));
        QCOMPARE(work[0][LinkRow::Address], "https://a.example/?x=1&y=2");
        QCOMPARE(work[0][LinkRow::Notes], "first line second line");
        QCOMPARE(work[0][LinkRow::Date], "2024-02-29 15:05:09");
        QCOMPARE(work[2][LinkRow::Title], "after nested");
        QCOMPARE(work[2][LinkRow::Date], "2026-12-08");
        // Separators in a title or an address are broken up so that the table file reads back.
        for (int column = 1; column <= LinkRow::fieldCount; ++column)
            QVERIFY2(LinkTableFile::storable(work[1][column]), qPrintable(work[1][column]));
        QCOMPARE(contents.folders[2].rows.at(0)[LinkRow::Title], QString::fromUtf8("日本語 title"));
    }

    // Only web links become rows; their addresses lose tabs and line breaks as browsers drop them.
    void readsOnlyWebLinks_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("address");
        QTest::newRow("http") << "http://a.example/" << "http://a.example/";
        QTest::newRow("https in capitals") << "HTTPS://A.example/x" << "HTTPS://A.example/x";
        for (const char *other : {"ftp://files.example/", "FTP://files.example/", "file:///etc/passwd",
                                  "mailto:me@example.org", "javascript:void(0)", "data:text/html,hi",
                                  "place:sort=8", "about:blank", "chrome://settings", "feed:https://f.example/",
                                  "example.org/no-scheme", "http:", "  ", ""})
            QTest::newRow(other) << QString(other) << QString();
        QTest::newRow("tab inside") << "https://t.example/a\tb" << "https://t.example/ab";
        QTest::newRow("tab as an entity") << "https://t.example/a&#9;b" << "https://t.example/ab";
        QTest::newRow("line breaks inside") << "https://t.example/\r\na\nb" << "https://t.example/ab";
        QTest::newRow("blanks around") << " \t https://t.example/ \n" << "https://t.example/";
        QTest::newRow("entities") << "https://t.example/?a=1&amp;b=2&#x26;c" << "https://t.example/?a=1&b=2&c";
        QTest::newRow("separator") << "https://t.example/;-;x" << "https://t.example/%3B-%3Bx";
    }
    void readsOnlyWebLinks()
    {
        QFETCH(QString, href);
        QFETCH(QString, address);
        const BookmarksHtml::Contents contents = BookmarksHtml::read(oneLink(href), "2026-12-08");
        QCOMPARE(contents.skipped, address.isEmpty() ? 1 : 0);
        QCOMPARE(contents.folders.size(), size_t(address.isEmpty() ? 0 : 1));
        if (!address.isEmpty())
            QCOMPARE(contents.folders[0].rows.at(0)[LinkRow::Address], address);
    }

    // What the program writes comes back as it was: the same folders with the same rows in the
    // same order, with their dates and times.
    void writtenTablesReadBackTheSame_data()
    {
        QTest::addColumn<Tables>("tables");
        QTest::addColumn<bool>("withSecrets");
        const QString day = "2024-02-29";
        QTest::newRow("nested folders")
            << Tables{{"Outer", {row("O", "https://o.example/", day)}},
                      {"Outer / Inner", {row("I", "https://i.example/", day)}},
                      {"Outer / Inner / Deep", {row("D", "https://d.example/", day)}},
                      {"Outer / Second", {row("S", "https://s.example/", day)}},
                      {"Other", {row("X", "https://x.example/", day)}},
                      {"Other / Outer / Inner", {row("Y", "https://y.example/", day)}},
                      {"Outer", {row("O2", "https://o2.example/", day)}}}
            << false;
        QTest::newRow("dates with their time of day")
            << Tables{{"Dates",
                       {row("Leap", "https://l.example/", "2024-02-29 14:05:09"),
                        row("Midnight", "https://m.example/", "2024-03-01"),
                        row("Summer time", "https://s.example/", "2024-07-01 23:59:59"),
                        row("Past 2038", "https://p.example/", "2040-01-19 03:14:08"),
                        row("Last century", "https://c.example/", "1999-12-31 23:59:59")}}}
            << false;
        QTest::newRow("order kept")
            << Tables{{"Order",
                       {row("Zeta", "https://z.example/", day), row("alpha", "https://a.example/", day),
                        row("Docs", "https://docs.example/2", day), row("Docs", "https://docs.example/1", day),
                        row(QString::fromUtf8("Ärger"), "https://u.example/", day)}}}
            << false;
        QTest::newRow("odd characters")
            << Tables{{"R&D <1>",
                       {row("R&D <b>bold</b> \"q\" 'a'", "https://e.example/a?b=1&c=<2>#f", day, "notes <br> here",
                            "p4ss'w\"rd", "typed & more"),
                        row("tab\there, two  spaces", "https://t.example/", day, "  indented note  ", "", ""),
                        row(" leading and trailing ", "https://l.example/", day, QString::fromUtf8("non\u00a0breaking")),
                        row(QString::fromUtf8("emoji 😀 Größe"), "https://g.example/", day)}}}
            << true;
    }
    void writtenTablesReadBackTheSame()
    {
        QFETCH(Tables, tables);
        QFETCH(bool, withSecrets);
        const QString html = BookmarksHtml::write(tables, withSecrets);
        const BookmarksHtml::Contents back = BookmarksHtml::read(html, "2000-01-01");
        QCOMPARE(back.skipped, 0);
        QCOMPARE(back.folders.size(), tables.size());
        for (size_t f = 0; f < tables.size(); ++f) {
            QCOMPARE(back.folders[f].title, tables[f].title);
            QCOMPARE(back.folders[f].rows.size(), tables[f].rows.size());
            for (size_t r = 0; r < tables[f].rows.size(); ++r) {
                for (int column = 1; column <= LinkRow::fieldCount; ++column)
                    QCOMPARE(back.folders[f].rows[r][column], tables[f].rows[r][column]);
            }
        }
    }

    void secretsOnlyWhenAsked()
    {
        const Tables tables{{"T", {row("A", "https://a.example/", "2024-02-29", "", "p4ss")}}};
        QVERIFY(!BookmarksHtml::write(tables, false).contains("p4ss"));
        const BookmarksHtml::Contents back = BookmarksHtml::read(BookmarksHtml::write(tables, false), "2000-01-01");
        QCOMPARE(back.folders.at(0).rows.at(0)[LinkRow::Secret], QString());
    }

    // A nested folder inside the browser's file shows in it nested, as browsers show folders.
    void nestedTablesAreNestedFolders()
    {
        const Tables tables{{"Outer", {row("O", "https://o.example/", "2024-02-29")}},
                            {"Outer / Inner", {row("I", "https://i.example/", "2024-02-29")}}};
        const QString html = BookmarksHtml::write(tables, false);
        const qsizetype outer = html.indexOf("<H3>Outer</H3>");
        const qsizetype inner = html.indexOf("<H3>Inner</H3>");
        QVERIFY(outer >= 0 && inner > outer);
        QCOMPARE(html.count("<H3>"), 2);
        QCOMPARE(html.count("<DL>"), html.count("</DL>"));
        // Inner opens before Outer's list closes.
        QVERIFY(html.indexOf("</DL>", outer) > inner);
    }

    // A file from anywhere: whatever it holds it is read once through, and what can be read is.
    void hostileFiles_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("titles");
        const QString deep = QString("<DT><H3>Level</H3><DL><p>").repeated(100000) +
                             "<DT><A HREF=\"https://deep.example/\">Deep</A>" + QString("</DL><p>").repeated(100000);
        QTest::newRow("nesting 100,000 deep") << deep << QStringList{"Deep"};
        QTest::newRow("long name, folders inside")
            << "<DL><p><DT><H3>" + QString("N").repeated(300000) + "</H3><DL><p>" +
                   QString("<DT><H3>x</H3><DL><p><DT><A HREF=\"https://a.example/\">L</A>").repeated(2000)
            << QStringList(2000, "L");
        QTest::newRow("lists never closed") << QString("<DL>").repeated(300000) + oneLink("https://a.example/")
                                            << QStringList{"Link"};
        QTest::newRow("end tags missing")
            << "<DL><DT><H3>F<DL><DT><A HREF=\"https://a.example/\">A<DT><A HREF=https://b.example/>B<DD>note<DT>"
               "<A HREF=\"https://c.example/\">C"
            << QStringList{"A", "B", "C"};
        QTest::newRow("tags never closed") << QString("<a").repeated(500000) << QStringList();
        QTest::newRow("quote never closed") << "<A HREF=\"https://a.example/>A</A>" + QString("x").repeated(500000)
                                            << QStringList{"https://a.example/>A</A>" + QString("x").repeated(500000)};
        QTest::newRow("comment never closed") << "<!--" + oneLink("https://a.example/").repeated(50000)
                                              << QStringList();
        QTest::newRow("entities never ended")
            << oneLink("https://a.example/").replace("Link", "&" + QString("a").repeated(500000))
            << QStringList{"&" + QString("a").repeated(500000)};
        QTest::newRow("numeric entities out of range")
            << oneLink("https://a.example/").replace("Link", "&#0;&#x110000;&#xD800;&#99999999;&#65;")
            << QStringList{"&#0;&#x110000;&#xD800;&#99999999;A"};
        QTest::newRow("many attributes")
            << "<DL><DT><A " + QString("x=1 ").repeated(200000) + "HREF=\"https://a.example/\" HREF=\"https://b/\">M</A>"
            << QStringList{"M"};
        QTest::newRow("dates of every kind")
            << QString("<DT><A HREF=\"https://a.example/\" ADD_DATE=\"%1\">T</A>")
                   .arg("-5\" X=\"1")
                   .append("<DT><A HREF=\"https://b.example/\" ADD_DATE=\"99999999999999999999\">U</A>")
                   .append("<DT><A HREF=\"https://c.example/\" ADD_DATE=\"1709215509000000\">V</A>")
            << QStringList{"T", "U", "V"};
    }
    void hostileFiles()
    {
        QFETCH(QString, html);
        QFETCH(QStringList, titles);
        const BookmarksHtml::Contents contents = BookmarksHtml::read(html, "2026-12-08");
        QStringList read;
        for (const auto &folder : contents.folders) {
            QVERIFY(folder.title.size() <= BookmarksHtml::maxTitleLength);
            for (const LinkRow &link : folder.rows) {
                read << link[LinkRow::Title];
                for (const QString &field : link.fields)
                    QVERIFY(LinkTableFile::storable(field));
            }
        }
        QCOMPARE(read, titles);
        if (QTest::currentDataTag() == QByteArray("nesting 100,000 deep"))
            QVERIFY(contents.folders.at(0).title.startsWith("Level / Level / Level"));
        if (QTest::currentDataTag() == QByteArray("dates of every kind")) {
            QCOMPARE(contents.folders.at(0).rows.at(0)[LinkRow::Date], "2026-12-08");
            QCOMPARE(contents.folders.at(0).rows.at(1)[LinkRow::Date], "2026-12-08");
            QCOMPARE(contents.folders.at(0).rows.at(2)[LinkRow::Date], "2024-02-29 15:05:09");
        }
    }
};

TAMZO_TEST_MAIN(tst_BookmarksHtml)
#include "tst_bookmarkshtml.moc"
