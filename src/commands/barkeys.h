#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

// The keyboard's way into a window's command bars, as desktop programs have it. F10 puts the
// focus on the first button that drops a menu (the first button where none does); Left and Right
// move along the buttons of all the bars in turn, Home and End go to the first and the last;
// Enter, Return or Space runs the button, and on a menu title Down opens its menu too, where Left
// and Right go on to the neighbouring menus. Escape, or F10 again, leaves the bars: `leave` gives
// the focus back to the window's work (the page, the grid).
class BarKeys : public QObject
{
    Q_OBJECT
public:
    // The name and description of the bars, as screen readers announce them.
    static constexpr int barsCaption = 359;
    static constexpr const char *barsEnglish = "Commands";
    static constexpr int keysCaption = 360;
    static constexpr const char *keysEnglish = "F10 reaches the commands; the arrows move, Enter runs, Escape leaves them";

    BarKeys(QWidget *window, QList<QToolBar *> bars, std::function<void()> leave);

    // The buttons the keys reach, in order: shown, enabled, and not separators.
    QList<QToolButton *> buttons() const;
    bool inBars() const;
    void enter();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleButtonKey(QToolButton *button, int key);
    void move(QToolButton *from, int step);
    void run(QToolButton *button);
    void openMenus(QToolButton *button);
    bool leaveMenuSideways(QMenu *menu, int key);

    QList<QToolBar *> m_bars;
    std::function<void()> m_leave;
    // The step (-1 or 1) a key asked for while a menu was open.
    int m_menuStep = 0;
    QPointer<QMenu> m_openMenu;
};
