#pragma once

#include "buttontexts.h"

#include <QHash>
#include <QIcon>
#include <QToolBar>
#include <functional>

class CommandCatalogue;
class QAction;

// One named bar of the shared button collection shown as the toolbar of a secondary window
// (the link tables, the row editor, the language editor, the yes/no box, the about box).
// A click reports the bar's instance number and the button's key, as on the main window.
class CommandBar : public QToolBar
{
    Q_OBJECT
public:
    // icons: the window's own pictures by the catalogue's icon number.
    CommandBar(const CommandCatalogue &catalogue, const QString &barName, int instance,
               const std::function<QIcon(int)> &icons, QWidget *parent = nullptr);

    int instance() const { return m_instance; }
    QAction *action(const QString &key) const { return m_texts.action(key); }

    void setCaption(const QString &key, const QString &caption) { m_texts.setCaption(key, caption); }
    void setTooltip(const QString &key, const QString &tooltip) { m_texts.setTooltip(key, tooltip); }
    // Buttons show their captions beside their pictures.
    void showCaptions(bool shown);
    // A panel button hosts a control of its window.
    void hostInPanel(const QString &key, QWidget *control);
    // The main window's looks: 0 system, 1 office, 2 money, 3 XP.
    void applyStyle(int barStyle);

signals:
    void clicked(int instance, const QString &key);

private:
    int m_instance;
    ButtonTexts m_texts;
    QHash<QString, QWidget *> m_panels;
};
