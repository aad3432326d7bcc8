#include "appfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

AppFolder::AppFolder(QString root) : m_root(QDir::cleanPath(std::move(root))), m_delivered(m_root) {}

AppFolder::AppFolder(QString root, QString deliveredFolder)
    : m_root(QDir::cleanPath(std::move(root))), m_delivered(QDir::cleanPath(std::move(deliveredFolder)))
{
}

AppFolder AppFolder::forExecutable(const QString &executableFolder, const QProcessEnvironment &environment)
{
    const QString delivered = QDir::cleanPath(executableFolder + QStringLiteral("/../share/tamzotravel"));
    if (QDir(executableFolder).dirName() != QLatin1String("bin") || !QFileInfo(delivered).isDir())
        return AppFolder(executableFolder);
    // A relative or empty XDG_DATA_HOME is invalid and ignored, as the desktop's base-directory rules say.
    QString dataHome = environment.value(QStringLiteral("XDG_DATA_HOME"));
    if (!QDir::isAbsolutePath(dataHome)) {
        const QString home = environment.value(QStringLiteral("HOME"));
        dataHome = (QDir::isAbsolutePath(home) ? home : QDir::homePath()) + QStringLiteral("/.local/share");
    }
    return AppFolder(dataHome + QStringLiteral("/TamzoTravel"), delivered);
}

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
