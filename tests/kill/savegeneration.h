#pragma once

#include "core/programstate.h"
#include "core/textfile.h"
#include "scripteddialogs.h"

#include <QComboBox>
#include <QTabBar>
#include <QWidget>

// Every file the program rewrites, filled from one generation number through the program's own
// save procedures, and read back through its own readers. Both the kill driver and the test that
// kills it use it: the test knows what each generation's files hold.
class SaveGeneration
{
public:
    // The files, relative to the application folder, in the order they are saved.
    static const QStringList &files();

    explicit SaveGeneration(const QString &appFolder);

    // Saves generation g (1 and up) into every file.
    WriteResult save(int g);

    // The generation each file holds, read by the program's readers, in the order of files():
    // 0 for a missing file, -1 for one that holds no whole generation.
    QList<int> read() const;

private:
    QString m_root;
    ProgramState m_state;
    ScriptedDialogs m_dialogs;
    QWidget m_host;
    QComboBox *m_addressBox;
    QTabBar *m_tabStrip;
};
