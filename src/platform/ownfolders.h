#pragma once

#include <QString>

// Folders of the user's own, looked at and removed without following a link at any level: where
// another local user can write (the shared temporary folder, a shared folder of documents), a link
// planted under an expected name must not lead the program into the user's files.
class OwnFolders
{
public:
    // A real folder (not a link) that belongs to the user and that nobody else may enter.
    static bool isPrivate(const QString &path);
    // The folder, made (mode 0700) when missing; true when it is then private.
    static bool makePrivate(const QString &path);
    // The user's runtime folder ($XDG_RUNTIME_DIR) when it is private; empty otherwise.
    static QString runtimeFolder();

    // Removes a real folder that belongs to the user with everything in it. Links inside go as
    // links, never followed; a folder inside that belongs to somebody else stays, and so does
    // the folder holding it. A link, a file or another user's folder at the path itself is left
    // alone. True when the folder is gone.
    static bool removeTree(const QString &path);
};
