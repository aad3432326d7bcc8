#include "journeyfiles.h"

#include "core/appfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString prefix = QStringLiteral("Journey ");
const QString suffix = QStringLiteral(".txt");
const QString startWord = QStringLiteral("start"), stopWord = QStringLiteral("stop"), titleWord = QStringLiteral("title");
// Longer addresses are not a step's: no page links to them.
constexpr qsizetype addressLimit = 8192;

// A field holds no tab, which separates the fields.
QString field(const QString &text) { return QString(text).replace(u'\t', QStringLiteral("%09")); }

// A page may give itself a title of thousands of characters (the engine keeps 4096), which every
// line keeping it would repeat at every visit; the picture shows the first few dozen.
constexpr qsizetype titleLimit = 300;

// A page without a title of its own is shown by its address, which is no title.
QString titleField(const QString &address, const QString &title)
{
    return title == address ? QString() : title.simplified().left(titleLimit);
}

// A page's address may run to megabytes, which the reader would pass over as no page's.
QString markLine(const QString &word, const QTime &at, const QString &address, const QString &title)
{
    const QString kept = address.size() > addressLimit ? QString() : address;
    return word % u'\t' % at.toString(QStringLiteral("HH:mm:ss")) % u'\t' % field(kept) % u'\t' % titleField(address, title);
}

// A step opens a page of the web; a travel may also begin on a page of no host ("about:blank").
bool isAddress(const QString &text, bool hostNeeded = true)
{
    if (text.isEmpty() || text.size() > addressLimit)
        return false;
    const QUrl url(text);
    return url.isValid() && !url.scheme().isEmpty() && (!hostNeeded || !url.host().isEmpty());
}

} // namespace

QString JourneyFiles::pathFor(const AppFolder &folder, const QDateTime &begun)
{
    const QString name = folderName % u'\\' % prefix % begun.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) % suffix;
    return folder.path(name);
}

QStringList JourneyFiles::kept(const AppFolder &folder)
{
    const QDir journeys(folder.path(folderName));
    QStringList paths;
    // The names sort by the moment the run began.
    for (const QString &name :
         journeys.entryList({prefix % u'*' % suffix}, QDir::Files, QDir::Name | QDir::Reversed | QDir::IgnoreCase))
        paths << journeys.filePath(name);
    return paths;
}

WriteResult JourneyFiles::append(const QString &path, const QString &line)
{
    // A folder that cannot be made leaves the file unopenable, which the append reports.
    QDir().mkpath(QFileInfo(path).path());
    return TextFile::appendLine(path, line);
}

QString JourneyFiles::startLine(const QTime &at, const QString &address, const QString &title)
{
    return markLine(startWord, at, address, title);
}

QString JourneyFiles::stopLine(const QTime &at, const QString &address, const QString &title)
{
    return markLine(stopWord, at, address, title);
}

QString JourneyFiles::titleLine(const QString &address, const QString &title)
{
    return titleWord % u'\t' % field(address) % u'\t' % titleField(address, title);
}

JourneyFiles::Line JourneyFiles::parse(const QString &line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0) {
        const qsizetype gap = line.indexOf(u"  ");
        const QString address = gap < 0 ? QString() : line.mid(gap + 2);
        return isAddress(address) ? Line{Line::Step, address, {}} : Line{};
    }
    const QStringList fields = line.split(u'\t');
    const QString word = fields[0];
    const bool mark = word == startWord || word == stopWord;
    const qsizetype addressField = mark ? 2 : 1;
    if ((!mark && word != titleWord) || fields.size() <= addressField)
        return {};
    const QString address = fields[addressField];
    if (!(mark ? address.isEmpty() || isAddress(address, false) : isAddress(address)))
        return {};
    const Line::Kind kind = word == startWord ? Line::Start : word == stopWord ? Line::Stop : Line::Title;
    return {kind, address, fields.value(addressField + 1).simplified()};
}

QStringList JourneyFiles::addressesOf(const QStringList &lines)
{
    QStringList addresses;
    for (const QString &line : lines) {
        if (const Line read = parse(line); read.kind == Line::Step)
            addresses << read.address;
    }
    return addresses;
}
