#include "platform/libreofficeengine.h"
#include "platform/ownfolders.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

// The office's place and what is removed of a folder: never through a link, never another user's.
class tst_OwnFolders : public QObject
{
    Q_OBJECT
    QTemporaryDir base;

    QString made(const QString &name, QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
    {
        const QString path = base.filePath(name);
        QDir().mkpath(path);
        QFile::setPermissions(path, permissions);
        return path;
    }
    void write(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep") > 0);
    }

private slots:
    void officeWorksInAPlaceOnlyTheUserCanEnter_data()
    {
        QTest::addColumn<QString>("runtime");  // empty: not set
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("expected"); // empty: no place at all
        const QString runtime = made("run/private");
        const QString open = made("run/open", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                  | QFile::ExeOther | QFile::WriteOther);
        QFile::link(runtime, base.filePath("run/link"));
        QFile::link(made("elsewhere"), base.filePath("app-link"));
        const QString fallback = made("app") + "/Office";
        QTest::newRow("private runtime folder") << runtime << fallback << runtime + "/TamzoTravel";
        QTest::newRow("runtime folder open to others") << open << fallback << fallback;
        QTest::newRow("runtime folder is a link") << base.filePath("run/link") << fallback << fallback;
        QTest::newRow("no runtime folder") << "" << fallback << fallback;
        QTest::newRow("own folder is a link") << "" << base.filePath("app-link") << "";
    }
    void officeWorksInAPlaceOnlyTheUserCanEnter()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, fallback);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        runtime.isEmpty() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        LibreOfficeEngine engine;
        engine.setOwnFolder(fallback);
        const QString place = engine.workPlace();
        qputenv("XDG_RUNTIME_DIR", saved);
        QCOMPARE(place, expected);
        QVERIFY(expected.isEmpty() || OwnFolders::isPrivate(expected));
    }

    void removalFollowsNoLink_data()
    {
        QTest::addColumn<QString>("plant"); // what the folder to remove holds or is
        QTest::addColumn<bool>("gone");
        QTest::newRow("folder with a link inside") << "link inside" << true;
        QTest::newRow("link in place of the folder") << "link itself" << false;
        QTest::newRow("another user's folder inside") << "foreign inside" << false;
    }
    void removalFollowsNoLink()
    {
        QFETCH(QString, plant);
        QFETCH(bool, gone);
        QTemporaryDir victim;
        write(victim.filePath("precious.txt"));
        const QString target = base.filePath(plant);
        if (plant == "link itself") {
            QVERIFY(QFile::link(victim.path(), target));
        } else {
            made(plant + "/deep");
            write(target + "/deep/own.txt");
            QVERIFY(QFile::link(victim.path(), target + "/deep/link"));
        }
        if (plant == "foreign inside") {
            made(plant + "/foreign");
            if (::getuid() != 0 || ::chown(QFile::encodeName(target + "/foreign").constData(), 65534, 65534) != 0)
                QSKIP("Only the superuser can give a folder to another user");
        }
        QCOMPARE(OwnFolders::removeTree(target), gone);
        QCOMPARE(QFileInfo(target).isSymLink() || QFileInfo::exists(target), !gone);
        QVERIFY(QFile::exists(victim.filePath("precious.txt")));
        if (plant == "foreign inside")
            QVERIFY(QFileInfo::exists(target + "/foreign") && !QFileInfo::exists(target + "/deep"));
    }
};

TAMZO_TEST_MAIN(tst_OwnFolders)
#include "tst_ownfolders.moc"
