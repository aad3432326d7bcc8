#pragma once

#include <QObject>

class Navigator;
class QComboBox;
class TabSet;
class WebView;

// Where a page that asks for a new window goes: into the first free tab after the active one,
// which is shown and opens the address as if it had been typed (the history aside); with no free tab, into the
// asking view as an ordinary navigation, so its Back and Forward stay.
class NewWindowPolicy : public QObject
{
    Q_OBJECT
public:
    NewWindowPolicy(TabSet &tabs, Navigator &navigator, QComboBox *addressBox, QObject *parent = nullptr);

    // Opens an address the same way, as if the shown view had asked for it.
    void openInNewTab(const QString &address);

private:
    void attach(WebView *view);
    void open(WebView *asking, const QString &address);

    TabSet &m_tabs;
    Navigator &m_navigator;
    QComboBox *m_addressBox;
};
