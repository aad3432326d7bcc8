#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdlib>

// The test program's own home: HOME and every XDG folder point into a temporary folder of its
// own, made before anything reads them, so that nothing a test does (a download without a chosen
// folder, the web engine's or the office's own files) lands in the real home. The programs a test
// starts inherit it.
class IsolatedHome
{
public:
    IsolatedHome()
    {
        if (!m_folder.isValid())
            std::abort();
        const QByteArray root = m_folder.path().toLocal8Bit();
        qputenv("HOME", root);
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            qputenv(name, QByteArray(root + '/' + QByteArray(name).toLower()));
        // The runtime folder must be the owner's alone, as the temporary folder is.
        qputenv("XDG_RUNTIME_DIR", root);
        // Folders of other users' desktops the session may name: none of them.
        for (const char *name : {"XDG_DOWNLOAD_DIR", "XDG_DESKTOP_DIR", "XDG_DOCUMENTS_DIR"})
            qunsetenv(name);
    }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};
