#include "keyboardshortcuts.h"

#include "commandbars.h"
#include "dispatcher.h"

#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>

KeyboardShortcuts::KeyboardShortcuts(Dispatcher &dispatcher, QWidget *window, QComboBox *addressBox)
    : QObject(window)
{
    dispatcher.setCommand(CommandBars::menuInstance, addressKey, [addressBox] {
        addressBox->setFocus(Qt::ShortcutFocusReason);
        addressBox->lineEdit()->selectAll();
    });
    const struct
    {
        QKeyCombination keys;
        QString command;
    } shortcuts[] = {
        {Qt::CTRL | Qt::Key_L, addressKey},         {QKeyCombination(Qt::Key_F6), addressKey},
        {QKeyCombination(Qt::Key_F5), "NAVIGATE:REFRESH"}, {Qt::CTRL | Qt::Key_R, "NAVIGATE:REFRESH"},
        {Qt::CTRL | Qt::Key_F, "EDIT:FINDDOC"},     {Qt::ALT | Qt::Key_Left, "NAVIGATE:BACK"},
        {Qt::ALT | Qt::Key_Right, "NAVIGATE:NEXT"}, {QKeyCombination(Qt::Key_Escape), "EDIT:STOP"},
        {Qt::CTRL | Qt::Key_P, "EDIT:PRINT"},
        // Plus is Shift and "=" on most keyboards; either way it zooms in.
        {Qt::CTRL | Qt::Key_Plus, zoomInKey},       {Qt::CTRL | Qt::Key_Equal, zoomInKey},
        {Qt::CTRL | Qt::Key_Minus, zoomOutKey},     {Qt::CTRL | Qt::Key_0, zoomResetKey},
    };
    for (const auto &shortcut : shortcuts) {
        auto *key = new QShortcut(QKeySequence(shortcut.keys), window);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, &dispatcher,
                [&dispatcher, command = shortcut.command] {
                    dispatcher.cmdBar_ButtonClick(CommandBars::menuInstance, command);
                });
    }
}
