#include "appfolder.h"

#include <QDir>
#include <QRegularExpression>

AppFolder::AppFolder(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

static QString matchEntry(const QString &folder, const QString &component)
{
    const QDir dir(folder);
    if (dir.exists(component))
        return component;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return component;
}

QString AppFolder::path(QStringView name) const
{
    QString resolved = m_root;
    const auto components = name.split(QRegularExpression(QStringLiteral(R"([\\/])")), Qt::SkipEmptyParts);
    for (QStringView component : components)
        resolved = resolved % u'/' % matchEntry(resolved, component.toString());
    return resolved;
}
