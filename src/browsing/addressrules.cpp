#include "addressrules.h"

#include "core/textcase.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace AddressRules {

QString completeAddress(const QString &typed)
{
    if (typed.startsWith(u'/'))
        return QUrl::fromLocalFile(typed).toString();
    if (typed.startsWith(u"~/"))
        return QUrl::fromLocalFile(QDir::homePath() % typed.mid(1)).toString();
    const QString lower = typed.toLower();
    for (const char16_t *scheme : {u"https://", u"ftp://", u"http://", u"file://", u"view-source:"}) {
        if (lower.startsWith(QStringView(scheme)))
            return typed;
    }
    return u"http://" % typed;
}

bool isSearchText(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return false;
    if (text.contains(u' ') || text.contains(u'\t'))
        return true;
    return !text.contains(u'.') && !text.contains(u':') && !text.contains(u'/') &&
           text.compare(u"localhost", Qt::CaseInsensitive) != 0;
}

QString searchAddress(const QString &queryTemplate, const QString &words)
{
    QString address = queryTemplate;
    return address.replace(QStringLiteral("%s"), QString::fromLatin1(QUrl::toPercentEncoding(words.trimmed())));
}

bool isExistingFile(const QString &address)
{
    const QUrl url(address);
    return url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile();
}

bool isScriptAddress(const QString &text)
{
    return text.trimmed().startsWith(u"javascript:", Qt::CaseInsensitive);
}

void TabCaptionFromAddress(QString &address)
{
    address.remove(QStringLiteral("http://"));
    address.remove(QStringLiteral("https://"));
    const qsizetype slash = address.indexOf(u'/');
    if (slash >= 0)
        address.truncate(slash);
    if (address.toLower().contains(u"www.")) {
        address.remove(QStringLiteral("www."));
        const qsizetype dot = address.indexOf(u'.');
        if (dot >= 0)
            address.truncate(dot);
    }
    address = properCase(address);
}

} // namespace AddressRules
