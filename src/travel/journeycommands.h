#pragma once

#include <QObject>
#include <QPointer>

class Dispatcher;
class Navigator;
class QComboBox;
class QWidget;
class TravelEngine;
class UserDialogs;
class frmJourney;
struct ProgramState;

// The journey window's commands: "TRAVEL:JOURNEY" (also Ctrl+J) shows the window, and a page
// clicked in it is opened in the main window through the dispatcher, which stops travel first.
class JourneyCommands : public QObject
{
    Q_OBJECT
public:
    static inline const QString showKey = QStringLiteral("TRAVEL:JOURNEY");
    // The command of a page clicked in the picture, which no menu has.
    static inline const QString openPageKey = QStringLiteral("KEY:JOURNEYPAGE");

    JourneyCommands(ProgramState &state, TravelEngine &travel, UserDialogs &dialogs, Navigator &navigator,
                    QComboBox *addressBox, Dispatcher &dispatcher, QWidget *mainWindow);

    frmJourney *window() const;

private:
    void showWindow();

    ProgramState &m_state;
    TravelEngine &m_travel;
    UserDialogs &m_dialogs;
    Dispatcher &m_dispatcher;
    QWidget *m_mainWindow;
    QPointer<frmJourney> m_window;
};
