#include "core/appfolder.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

class tst_AppFolder : public QObject
{
    Q_OBJECT
private:
    TempAppFolder folder;

private slots:
    void initTestCase()
    {
        for (const char *dir : {"usr/bin", "usr/share/tamzotravel", "build/app", "lonely/bin", "other/app",
                                "other/share/tamzotravel"})
            QDir().mkpath(folder.path(dir));
    }

    void chosenByLayout_data()
    {
        QTest::addColumn<QString>("executableFolder");
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("delivered");
        const QString base = folder.root();
        const QString share = base + "/usr/share/tamzotravel";
        QTest::newRow("build folder") << "build/app" << "/data" << "/home/u" << base + "/build/app"
                                      << base + "/build/app";
        QTest::newRow("bin without share") << "lonely/bin" << "/data" << "/home/u" << base + "/lonely/bin"
                                           << base + "/lonely/bin";
        QTest::newRow("share beside a folder not bin") << "other/app" << "/data" << "/home/u" << base + "/other/app"
                                                       << base + "/other/app";
        QTest::newRow("installed, data home set") << "usr/bin" << "/data" << "/home/u" << "/data/TamzoTravel" << share;
        QTest::newRow("installed, data home unset") << "usr/bin" << "" << "/home/u"
                                                    << "/home/u/.local/share/TamzoTravel" << share;
        QTest::newRow("installed, relative data home") << "usr/bin" << "data" << "/home/u"
                                                       << "/home/u/.local/share/TamzoTravel" << share;
    }
    void chosenByLayout()
    {
        QFETCH(QString, executableFolder);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, home);
        QFETCH(QString, root);
        QFETCH(QString, delivered);
        QProcessEnvironment environment;
        environment.insert("HOME", home);
        if (!xdgDataHome.isEmpty())
            environment.insert("XDG_DATA_HOME", xdgDataHome);
        const AppFolder app = AppFolder::forExecutable(folder.path(executableFolder), environment);
        QCOMPARE(app.root(), root);
        QCOMPARE(app.deliveredFolder(), delivered);
        QCOMPARE(app.installed(), root != delivered);
    }
};

TAMZO_TEST_MAIN(tst_AppFolder)
#include "tst_appfolder.moc"
