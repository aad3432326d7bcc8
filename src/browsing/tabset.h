#pragma once

#include "sharedprinter.h"
#include "webprofile.h"

#include <QObject>
#include <vector>

class QTabBar;
class QWidget;
class UserDialogs;
class WebView;
struct ProgramState;

// The tab strip Tab1 and one web view per tab; exactly one view, the active tab's, is visible.
// A tab is free while its caption is empty. Only a left click changes the active tab, so the
// view shown is always the active one. The views keep their engine data in the application
// folder's "Profile".
class TabSet : public QObject
{
    Q_OBJECT
public:
    // The tab strip's count before a language file gives one.
    static constexpr int defaultTabCount = 3;
    static constexpr int maximumTabCount = 40;
    static constexpr int freeTabCaption = 347;

    static inline const QString profileFolder = QStringLiteral("\\Profile");

    TabSet(ProgramState &state, UserDialogs &dialogs, QTabBar *tabStrip, QWidget *viewHost);
    ~TabSet() override;

    int TabCount() const;
    int ActiveTab() const;
    void setActiveTab(int index);
    QString TabCaption(int index) const;
    void setTabCaption(int index, const QString &caption);
    // Screen readers call a tab by its caption, a free tab by its number.
    void nameTabs();
    WebView *Web(int index) const { return m_views.at(index); }
    WebView *activeView() const { return Web(ActiveTab()); }
    int viewCount() const { return static_cast<int>(m_views.size()); }
    // The tab of a view; -1 for none.
    int indexOf(const WebView *view) const;

    WebProfile &profile() { return m_profile; }

    // The page every view's home command opens.
    void setHomeAddress(const QString &address);

    // A larger count adds tabs and creates their views; a smaller one only lowers the count.
    void setTabCount(double requested);

    // The bands above and below the views, in twips; the views fill what lies between.
    void setBandHeights(int topBarTwips, int statusStripTwips);
    void Set_Web(int index);
    void showActiveViewOnly();
    // The first tab after the given one whose caption is empty; -1 when none is.
    int nextFreeTab(int after) const;
    // Makes the tab active and shows its view, as a left click on it does, without copying.
    void showTab(int index);

    // Tab strip events.
    void Tab1_MouseDown(int buttons);
    void Tab1_Click();
    void Tab1_MouseMove(int x);

signals:
    void viewCreated(WebView *view);
    // The main window must lay itself out again (a tab was clicked, a caption changed).
    void layoutRequested();
    // A left click has shown the view of another tab (or of the same one again).
    void activeViewShown(WebView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createViewsUpTo(int count);

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    QTabBar *m_tabStrip;
    QWidget *m_viewHost;
    SharedPrinter m_printer;
    WebProfile m_profile;
    std::vector<WebView *> m_views;
    int m_topBarTwips = 0;
    int m_statusStripTwips = 0;
    QString m_homeAddress;
};
