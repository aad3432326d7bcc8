#include "platform/qtdesktopshell.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The control-panel commands reach the running desktop's own settings program.
class tst_DesktopShell : public QObject
{
    Q_OBJECT
private slots:
    void settingsPanels_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("ran"); // the arguments it was started with; empty: nothing ran
        QTest::newRow("sound on GNOME") << "ubuntu:GNOME" << "gnome-control-center" << "mmsys.cpl" << "sound";
        QTest::newRow("network on KDE") << "KDE" << "systemsettings" << "INETCPL.CPL" << "kcm_networkmanagement";
        QTest::newRow("GNOME's program under another desktop") << "XFCE" << "gnome-control-center" << "wscui.cpl" << "";
    }
    void settingsPanels()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, installed);
        QFETCH(QString, panel);
        QFETCH(QString, ran);
        QTemporaryDir bin;
        QFile program(bin.filePath(installed));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\necho \"$@\" > \"$0.ran\"\n");
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
        QtDesktopShell shell;
        const bool opened = shell.open(panel, QString());
        qputenv("PATH", path);
        QCOMPARE(opened, !ran.isEmpty());
        const auto arguments = [&] {
            QFile record(program.fileName() + ".ran");
            return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll()).trimmed() : QString();
        };
        if (opened)
            QTRY_COMPARE(arguments(), ran);
    }
};

TAMZO_TEST_MAIN(tst_DesktopShell)
#include "tst_desktopshell.moc"
