#pragma once

#include "buttontexts.h"

#include <QHash>
#include <QMenu>
#include <QObject>
#include <memory>
#include <vector>

class CommandCatalogue;
struct CommandButton;
class QAction;
class QToolBar;
class QWidget;

// The catalogue's buttons as actions (each named by its command key) on the main window's three
// toolbars and six drop-down menus. A click reports the bar instance and the key: 0 and 2 for
// the toolbars "STANDARD0" and "STANDARD2", 3 for every menu item.
class CommandBars : public QObject
{
    Q_OBJECT
public:
    static constexpr int menuInstance = 3;

    CommandBars(const CommandCatalogue &catalogue, QToolBar *cmdBar0, QWidget *cmdBar1, QToolBar *cmdBar2,
                QObject *parent = nullptr);

    QAction *action(const QString &key) const { return m_texts.action(key); }
    QMenu *menu(const QString &title) const { return m_menus.value(title); }

    const CommandCatalogue &catalogue() const { return m_catalogue; }
    // A language entry added to the catalogue after the bars were built joins the LANG menu,
    // before the language editor's entry.
    void addLanguageEntry(const QString &key);
    void setCaption(const QString &key, const QString &caption) { m_texts.setCaption(key, caption); }
    void setTooltip(const QString &key, const QString &tooltip) { m_texts.setTooltip(key, tooltip); }

    // Draws the three bars in one of the four looks: 0 system, 1 office, 2 money, 3 XP.
    void applyStyle(int barStyle);
    static QString styleSheet(int barStyle);

signals:
    void clicked(int instance, const QString &key);
    void menuShown();
    void menuClosed();

private:
    static bool isMarked(const CommandButton &button);
    // A menu title is lit exactly while the pointer is over it.
    static void showPointer(QWidget *title);
    void runMenuEntry(const QString &key);
    void fillToolBar(QToolBar *toolBar, const QStringList &keys, int instance);
    QMenu *buildMenu(const QString &title, const QStringList &keys);

    const CommandCatalogue &m_catalogue;
    QToolBar *m_cmdBar0;
    QWidget *m_cmdBar1;
    QToolBar *m_cmdBar2;
    ButtonTexts m_texts;
    QHash<QString, QMenu *> m_menus;
    QList<QWidget *> m_titleButtons;
    std::vector<std::unique_ptr<QMenu>> m_ownedMenus;
};
