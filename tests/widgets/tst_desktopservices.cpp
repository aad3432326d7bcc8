#include "platform/qtdesktopshell.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The settings panels the program hands to the desktop: the settings program of the desktop that
// runs, else a common one, else none.
class tst_DesktopServices : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir programs;
    QByteArray path = qgetenv("PATH");
    QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");

    QString ranFile() const { return programs.filePath("ran"); }
    // Settings programs that write their name and arguments into "ran" when started.
    void install(const QStringList &names) const
    {
        for (const QString &name : names) {
            QFile script(programs.filePath(name));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\necho \"${0##*/} $*\" >> '" + ranFile().toUtf8() + "'\n");
            script.close();
            QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        }
    }

private slots:
    void cleanup()
    {
        qputenv("PATH", path);
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        QDir(programs.path()).removeRecursively();
        QDir().mkpath(programs.path());
    }

    void settingsPanelOfTheRunningDesktop_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("started"); // empty: the desktop offers none
        const QStringList everything{"gnome-control-center", "systemsettings", "cinnamon-settings",
                                     "mate-volume-control", "pavucontrol", "nm-connection-editor"};
        QTest::newRow("GNOME of a distribution, sound") << "ubuntu:GNOME" << "mmsys.cpl" << everything
                                                        << "gnome-control-center sound";
        QTest::newRow("KDE, network, capitals") << "KDE" << "INETCPL.CPL" << everything
                                                << "systemsettings kcm_networkmanagement";
        QTest::newRow("Cinnamon, security") << "X-Cinnamon" << "wscui.cpl" << everything << "cinnamon-settings privacy";
        QTest::newRow("MATE, sound") << "MATE" << "mmsys.cpl" << everything << "mate-volume-control ";
        QTest::newRow("other desktop, common sound panel") << "XFCE" << "mmsys.cpl" << everything << "pavucontrol ";
        QTest::newRow("desktop's own program missing") << "GNOME" << "inetcpl.cpl" << QStringList{"nm-connection-editor"}
                                                       << "nm-connection-editor ";
        QTest::newRow("no security panel elsewhere") << "XFCE" << "wscui.cpl" << everything << "";
        QTest::newRow("nothing installed") << "GNOME" << "mmsys.cpl" << QStringList{} << "";
    }
    void settingsPanelOfTheRunningDesktop()
    {
        QFETCH(QString, running);
        QFETCH(QString, panel);
        QFETCH(QStringList, installed);
        QFETCH(QString, started);
        install(installed);
        qputenv("PATH", QFile::encodeName(programs.path()));
        qputenv("XDG_CURRENT_DESKTOP", running.toUtf8());
        QtDesktopShell shell;
        QCOMPARE(shell.open(panel, QString()), !started.isEmpty());
        if (started.isEmpty())
            return;
        const auto ran = [this] {
            QFile file(ranFile());
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_COMPARE(ran(), started + "\n");
    }
};

TAMZO_TEST_MAIN(tst_DesktopServices)
#include "tst_desktopservices.moc"
