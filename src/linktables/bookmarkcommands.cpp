#include "bookmarkcommands.h"

#include "bookmarktransfer.h"
#include "core/programstate.h"
#include "linkindex.h"
#include "platform/userdialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString fileFilter = QStringLiteral("HTML (*.html *.htm)");

QString countLine(const ProgramState &state, int caption, const char *english, int count)
{
    return state.caption(caption, english) % u' ' % QString::number(count);
}

QString suggestedName(const ProgramState &state, bool allTables)
{
    QString name = allTables ? QStringLiteral("bookmarks") : state.linkIndex[state.currentTable + 1].title.trimmed();
    name.replace(u'/', u'-').replace(u'\\', u'-');
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(QStringLiteral("bookmarks"));
    return QDir::home().filePath(name % u".html");
}

bool holdsSecrets(const std::vector<BookmarksHtml::Folder> &folders)
{
    for (const BookmarksHtml::Folder &folder : folders) {
        for (const LinkRow &row : folder.rows) {
            if (!row[LinkRow::Secret].isEmpty())
                return true;
        }
    }
    return false;
}

} // namespace

void BookmarkCommands::importFile()
{
    const QString path = m_dialogs.openFileName(m_state.caption(importCaption, "Import bookmarks"), fileFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs.message(m_state.caption(329, "The bookmarks file could not be read:") % u'\n' % path % u": " %
                          file.errorString());
        return;
    }
    if (file.size() > largestFile) {
        m_dialogs.message(m_state.caption(tooLargeCaption, "This file is too large to be a bookmarks file (over 256 MB):") %
                          u'\n' % path);
        return;
    }
    BookmarksHtml::Contents contents = BookmarksHtml::read(TextFile::decodeLine(file.readAll()), m_state.todayDate);
    const bool hasFolders = std::any_of(contents.folders.begin(), contents.folders.end(),
                                        [](const BookmarksHtml::Folder &folder) { return !folder.title.isEmpty(); });
    const bool byFolder =
        hasFolders && m_dialogs.question(m_state.caption(
                          322, "Put the links of each folder into the table of the folder's name? (No: all into "
                               "this table.)"));

    const BookmarkTransfer::Imported result = BookmarkTransfer::merge(m_state, std::move(contents), byFolder);
    QString text = countLine(m_state, 325, "Links imported:", result.imported) % u'\n' %
                   countLine(m_state, 326, "Entries skipped (not links, or in their table already):", result.skipped) %
                   u'\n' % countLine(m_state, 327, "Entries refused (no room, or not saved):", result.refused);
    if (!result.failure.ok()) {
        const bool index = result.failure.path() == LinkIndex::filePath(m_state, LinkIndex::indexExtension);
        text += u"\n\n" %
                (index ? m_state.caption(236, "The table titles could not be saved:")
                       : m_state.caption(235, "The link table could not be saved:")) %
                u'\n' % result.failure.message();
    }
    m_dialogs.message(text);
}

void BookmarkCommands::exportFile()
{
    const bool allTables =
        m_dialogs.question(m_state.caption(323, "Export all the link tables? (No: only this table.)"));
    const std::vector<BookmarksHtml::Folder> folders = BookmarkTransfer::stored(m_state, allTables);
    // A bookmarks file chosen may be a browser's own copy: replacing it is asked.
    QString path = m_dialogs.saveFileName(m_state.caption(exportCaption, "Export bookmarks"),
                                          suggestedName(m_state, allTables), fileFilter, UserDialogs::Existing::Ask);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".html");
    const bool withSecrets =
        holdsSecrets(folders) &&
        m_dialogs.question(m_state.caption(324, "Write the secrets into the file too? Anyone who can read "
                                                "the file can read them."),
                           UserDialogs::Default::No);

    QStringList lines = BookmarksHtml::write(folders, withSecrets).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const WriteResult written =
        TextFile::writeLines(path, lines, withSecrets ? TextFile::Access::OwnerOnly : TextFile::Access::Shared);
    if (!written.ok()) {
        m_dialogs.message(m_state.caption(330, "The bookmarks file could not be written:") % u'\n' % written.message());
        return;
    }
    m_dialogs.message(countLine(m_state, 328, "Links exported:", BookmarkTransfer::linkCount(folders)) % u'\n' % path);
}
