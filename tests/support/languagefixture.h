#pragma once

#include "app/firstruninstall.h"
#include "commands/commandcatalogue.h"
#include "language/languagename.h"
#include "language/languagefile.h"
#include "core/programstate.h"
#include "scripteddialogs.h"
#include "tempappfolder.h"

#include <QTest>

#include <memory>

// A freshly installed application folder with its program state, the catalogue of a program that
// found only the English file, and scripted dialogs. Call install() in init(): every test function
// starts from a new folder.
class LanguageFixture
{
protected:
    std::unique_ptr<TempAppFolder> folder;
    std::unique_ptr<ProgramState> state;
    CommandCatalogue catalogue{LanguageName::ofFile};
    ScriptedDialogs dialogs;

    LanguageFixture()
    {
        catalogue.Make_Buttons({"Lang_English.txt"});
        catalogue.Build_Bars();
    }
    void install()
    {
        folder = std::make_unique<TempAppFolder>();
        folder->stageDelivered();
        QCOMPARE(FirstRunInstall::Move_Data(AppFolder(folder->root())), QString());
        state = std::make_unique<ProgramState>(AppFolder(folder->root()));
        dialogs = ScriptedDialogs();
    }
    void useLanguage(const QString &name)
    {
        state->languageName = name;
        QVERIFY(LanguageFile::Read_Lang(*state).found);
    }
};
