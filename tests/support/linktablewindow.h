#pragma once

#include "commands/commandcatalogue.h"
#include "language/languagename.h"
#include "core/programstate.h"
#include "linktables/frmedit.h"
#include "linktables/frmtab.h"
#include "linktables/linkgridview.h"
#include "linktables/linkindex.h"
#include "linktables/linktable.h"
#include "modaldriver.h"
#include "scripteddialogs.h"
#include "tempappfolder.h"

#include <QAction>
#include <QTest>

#include <memory>

// The link-table window on a temporary application folder, with numbered captions ("C65"), and the
// row editor it opens.
namespace LinkTableWindow {

inline QString line(const QString &title, const QString &secret, const QString &address)
{
    return QStringList{title, address, "note " + title, secret, "typed " + title, "2026-01-02"}.join(";-;");
}

struct Window
{
    Window()
    {
        for (int i = 1; i < ProgramState::captionSlots; ++i)
            state.captions[i] = QString("C%1").arg(i);
        state.captions[34] = "Table";
        state.todayDate = "2026-12-08";
        state.langCode = "Eng";
        catalogue.Make_Buttons({});
        catalogue.Build_Bars();
    }
    // Table 0 with the given lines and its count, then the window opened on it.
    void tables(const QStringList &lines, const QString &count = QString())
    {
        folder.write("Links/Links.Bok", {"Mine," + (count.isEmpty() ? QString::number(lines.size()) : count),
                                         "Second,0"});
        if (!lines.isEmpty())
            folder.write("Links/Links.000", lines);
        QVERIFY(LinkIndex::Load_Index(state).ok());
        LinkIndex::nameEmptyTables(state);
        QVERIFY(LinkIndex::Load_Index(state).ok());
    }
    bool open(const QString &addressBoxText = QString())
    {
        tab = std::make_unique<frmTab>(state, dialogs, catalogue, addressBoxText);
        tab->open();
        return QTest::qWaitForWindowExposed(tab.get());
    }
    void click(const QString &key) { tab->findChild<QAction *>(key)->trigger(); }
    QModelIndex cell(int row, int column) const { return tab->model().index(row - 1, column); }
    QString text(int row, int column) const { return cell(row, column).data().toString(); }
    QPoint centre(int row, int column) const { return tab->GridList->visualRect(cell(row, column)).center(); }
    void clickCell(int row, int column) const
    {
        QTest::mouseClick(tab->GridList->viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    // As the desktop delivers a double-click: a click, then a press that is a double-click.
    void doubleClickCell(int row, int column) const
    {
        QWidget *viewport = tab->GridList->viewport();
        const QPoint at = centre(row, column);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        if (viewport->isVisible())
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int r = 1; r <= tab->table().rowCount(); ++r)
            texts << text(r, column);
        return texts;
    }
    QStringList secrets() const
    {
        QStringList texts;
        for (int r = 1; r <= tab->table().rowCount(); ++r)
            texts << tab->table().row(r)[LinkRow::Secret];
        return texts;
    }

    TempAppFolder folder;
    ProgramState state{AppFolder(folder.root())};
    ScriptedDialogs dialogs;
    CommandCatalogue catalogue{LanguageName::ofFile};
    std::unique_ptr<frmTab> tab;
};

using EditorDriver = ModalDriver<frmEDit>;

inline void press(frmEDit &editor, const QString &key) { editor.findChild<QAction *>(key)->trigger(); }

} // namespace LinkTableWindow
