#include "testmain.h"

#include <QDir>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

// Every test program runs in a home of its own (TAMZO_TEST_MAIN): whatever a test writes to the
// user's folders stays in a temporary folder, never in the real home.
class tst_IsolatedHome : public QObject
{
    Q_OBJECT
private slots:
    void userFoldersLieInATemporaryHome_data()
    {
        QTest::addColumn<int>("location");
        QTest::newRow("home") << int(QStandardPaths::HomeLocation);
        QTest::newRow("downloads") << int(QStandardPaths::DownloadLocation);
        QTest::newRow("documents") << int(QStandardPaths::DocumentsLocation);
        QTest::newRow("data") << int(QStandardPaths::GenericDataLocation);
        QTest::newRow("config") << int(QStandardPaths::GenericConfigLocation);
        QTest::newRow("cache") << int(QStandardPaths::GenericCacheLocation);
        QTest::newRow("runtime") << int(QStandardPaths::RuntimeLocation);
    }
    void userFoldersLieInATemporaryHome()
    {
        QFETCH(int, location);
        const QString home = QDir::homePath();
        QVERIFY(home.startsWith(QDir::tempPath() + '/'));
        QVERIFY(home != QFile::decodeName(getpwuid(getuid())->pw_dir));
        const QString path = QStandardPaths::writableLocation(QStandardPaths::StandardLocation(location));
        QVERIFY2(path == home || path.startsWith(home + '/'), qPrintable(path));
    }
};

TAMZO_TEST_MAIN(tst_IsolatedHome)
#include "tst_isolatedhome.moc"
