#include "exportnames.h"

#include <QFileInfo>
#include <QUrl>

QString ExportNames::suggested(const QString &title, const QString &extension, const QString &untitled)
{
    QString name;
    for (const QChar c : QStringView(title).left(titleLength)) {
        if (c.isDigit() && c.unicode() < 128)
            name.append(c);
        else if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            name.append(c);
    }
    return (name.isEmpty() ? untitled : name) + extension;
}

QString ExportNames::wordCopy(const QString &pdfPath)
{
    const QFileInfo file(pdfPath);
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString folder = pdfPath.left(pdfPath.size() - name.size());
    const QString copy = folder + stem + QStringLiteral(".doc");
    return copy == pdfPath ? folder + stem + QStringLiteral("-Word.doc") : copy;
}

QString ExportNames::pageTitle(const QString &title, const QString &address)
{
    const QUrl url(address);
    const QString withoutScheme = url.toString(QUrl::RemoveScheme).mid(2);
    for (const QString &shown : {address, withoutScheme, url.toDisplayString(), url.toDisplayString(QUrl::RemoveScheme).mid(2)}) {
        if (!shown.isEmpty() && title == shown)
            return {};
    }
    return title;
}

QString ExportNames::capture(int number)
{
    return QStringLiteral("Tamzo%1.bmp").arg(number, 3, 10, QLatin1Char('0'));
}

int ExportNames::freeCapture(int from, const std::function<bool(int)> &taken)
{
    int number = std::max(from, 0);
    while (taken(number))
        ++number;
    return number;
}
