#include "browsing/webprofile.h"
#include "platform/childenvironment.h"
#include "platform/enginesetup.h"
#include "testmain.h"

#include <QTest>

// Pages are drawn by the engine's software compositor only where OpenGL itself is drawn by the
// processor; a graphics card's driver keeps them on the card.
class tst_EngineSetup : public QObject
{
    Q_OBJECT
private slots:
    void softwareRenderer_data()
    {
        QTest::addColumn<QString>("renderer");
        QTest::addColumn<bool>("software");
        QTest::newRow("no usable OpenGL") << "" << true;
        QTest::newRow("Mesa llvmpipe") << "llvmpipe (LLVM 15.0.6, 256 bits)" << true;
        QTest::newRow("Mesa softpipe") << "softpipe" << true;
        QTest::newRow("old Mesa swrast") << "Mesa X11 swrast" << true;
        QTest::newRow("classic software rasterizer") << "Software Rasterizer" << true;
        QTest::newRow("Chromium's own") << "Google SwiftShader" << true;
        QTest::newRow("Intel card") << "Mesa Intel(R) UHD Graphics 620 (KBL GT2)" << false;
        QTest::newRow("AMD card") << "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)" << false;
        QTest::newRow("NVIDIA card") << "NVIDIA GeForce GTX 1650/PCIe/SSE2" << false;
        QTest::newRow("virtual machine's card") << "virgl (Intel(R) Iris(R) Xe Graphics)" << false;
    }
    void softwareRenderer()
    {
        QFETCH(QString, renderer);
        QFETCH(bool, software);
        QCOMPARE(isSoftwareRenderer(renderer), software);
    }

    // The engine's data folder is moved for the program itself; what it starts keeps the user's.
    void programsStartedKeepTheUsersDataFolder_data()
    {
        QTest::addColumn<QByteArray>("users");
        QTest::newRow("the user's own") << QByteArray("/home/someone/data");
        QTest::newRow("none given") << QByteArray();
    }
    void programsStartedKeepTheUsersDataFolder()
    {
        QFETCH(QByteArray, users);
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        if (users.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", users);
        WebProfile::prepareFolder("/app/Profile");
        const QByteArray own = qgetenv("XDG_DATA_HOME");
        const QProcessEnvironment children = ChildEnvironment::get();
        qputenv("XDG_DATA_HOME", before);
        QCOMPARE(own, QByteArray("/app/Profile/Engine"));
        QCOMPARE(children.contains("XDG_DATA_HOME"), !users.isEmpty());
        QCOMPARE(children.value("XDG_DATA_HOME").toUtf8(), users);
    }
};

TAMZO_TEST_MAIN(tst_EngineSetup)
#include "tst_enginesetup.moc"
