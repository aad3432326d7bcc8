#include "core/programstate.h"
#include "core/version.h"
#include "programrun.h"
#include "tempappfolder.h"
#include "testhttpserver.h"
#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>

// The program as users get it: installed with `cmake --install`, or packaged and unpacked the way
// the package manager would put it on their disk, then started from there.
class tst_Package : public QObject
{
    Q_OBJECT
private:
    static inline const QString appId = QStringLiteral("org.tamzotravel.TamzoTravel");

    // Runs a command to its end; its exit code, or -1 when it could not run or took too long.
    static int run(const QString &program, const QStringList &arguments, QString *output = nullptr,
                   int timeoutMs = 120000)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (output)
            *output = QString::fromLocal8Bit(process.readAll());
        return process.exitCode();
    }

    static QStringList deliveredNames()
    {
        return QDir(QStringLiteral(TAMZO_SOURCE_DIR "/install")).entryList(QDir::Files, QDir::Name);
    }

    static void verifyDelivered(const QString &shareFolder)
    {
        const QDir source(QStringLiteral(TAMZO_SOURCE_DIR "/install"));
        for (const QString &name : deliveredNames()) {
            QFile installed(shareFolder + "/" + name);
            QVERIFY2(installed.open(QIODevice::ReadOnly), qPrintable(installed.fileName()));
            QFile original(source.filePath(name));
            QVERIFY(original.open(QIODevice::ReadOnly));
            QVERIFY2(installed.readAll() == original.readAll(), qPrintable(name));
        }
    }

    // The package of the built program, made in folder/out; empty when it could not be made.
    static QString makePackage(const TempAppFolder &folder, QString *output)
    {
        if (run(TAMZO_CPACK, {"-G", "DEB", "--config", QString(TAMZO_BUILD_DIR) + "/CPackConfig.cmake", "-B",
                              folder.path("out")},
                output, 300000) != 0)
            return {};
        const QStringList packages = QDir(folder.path("out")).entryList({"tamzotravel_*.deb"}, QDir::Files);
        return packages.size() == 1 ? folder.path("out/" + packages.first()) : QString();
    }

    static int removePackage(QString *output = nullptr)
    {
        return run("apt-get", {"remove", "-y", "tamzotravel"}, output, 300000);
    }

private slots:
    void installPutsEveryFileInPlaceAndUninstallRemovesThem()
    {
        TempAppFolder prefix;
        QString output;
        QCOMPARE(run(TAMZO_CMAKE, {"--install", TAMZO_BUILD_DIR, "--prefix", prefix.root()}, &output), 0);

        QVERIFY(QFileInfo(prefix.path("bin/tamzotravel")).isExecutable());
        QVERIFY(deliveredNames().contains("Lang_English.txt"));
        verifyDelivered(prefix.path("share/tamzotravel"));

        const QString desktop = prefix.path("share/applications/" + appId + ".desktop");
        QCOMPARE(run("desktop-file-validate", {desktop}, &output), 0);
        QVERIFY2(output.isEmpty(), qPrintable(output));
        const QStringList entry = prefix.readLines("share/applications/" + appId + ".desktop");
        for (const char *line : {"Exec=tamzotravel %u", "Icon=org.tamzotravel.TamzoTravel",
                                 "Categories=Network;WebBrowser;",
                                 "MimeType=x-scheme-handler/http;x-scheme-handler/https;"})
            QVERIFY2(entry.join('\n').contains(QString::fromLatin1(line)), line);

        const QString metainfo = prefix.path("share/metainfo/" + appId + ".metainfo.xml");
        QCOMPARE(run("appstreamcli", {"validate", "--no-net", metainfo}, &output), 0);
        QVERIFY2(prefix.readBytes("share/metainfo/" + appId + ".metainfo.xml")
                     .contains(QByteArray("<release version=\"" + programVersion().toUtf8() + "\"")),
                 "the metainfo names this version");

        QXmlStreamReader icon(prefix.readBytes("share/icons/hicolor/scalable/apps/" + appId + ".svg"));
        QVERIFY(icon.readNextStartElement());
        QCOMPARE(icon.name(), QLatin1String("svg"));
        while (!icon.atEnd())
            icon.readNext();
        QVERIFY2(!icon.hasError(), qPrintable(icon.errorString()));

        // The manual page reads without a formatting warning and names the files it lives beside.
        QCOMPARE(run("sh", {"-c", "zcat \"$0\" | groff -man -ww -Tutf8 -P-bou", prefix.path("share/man/man1/tamzotravel.1.gz")},
                     &output),
                 0);
        QVERIFY2(!output.contains("warning") && output.contains("TamzoTravel.Opt"), qPrintable(output));

        QCOMPARE(run(TAMZO_SOURCE_DIR "/scripts/uninstall", {prefix.root()}, &output), 0);
        QDirIterator left(prefix.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QVERIFY2(!left.hasNext(), qPrintable("left after uninstalling: " + left.next()));
    }

    void packageInstallsAndSetsUpEachUsersFolder()
    {
        TestHttpServer server;
        server.setPage("/start", "<html><head><title>Start</title></head><body>start</body></html>");
        server.setPage("/given", "<html><head><title>Given</title></head><body>given</body></html>");
        TempAppFolder work;
        QString output;
        const QString deb = makePackage(work, &output);
        QVERIFY2(!deb.isEmpty(), qPrintable(output));

        QCOMPARE(run("dpkg-deb", {"-f", deb, "Depends"}, &output), 0);
        for (const char *needed : {"libqt6webenginewidgets6", "libqt6webenginecore6-bin", "qt6-qpa-plugins",
                                   "libreoffice-writer-nogui | libreoffice-writer",
                                   "libreoffice-calc-nogui | libreoffice-calc",
                                   "libreoffice-impress-nogui | libreoffice-impress", "python3-uno", "graphviz"})
            QVERIFY2(output.contains(QString::fromLatin1(needed)), needed);

        QCOMPARE(run("dpkg-deb", {"-x", deb, work.path("root")}, &output), 0);
        const QString share = work.path("root/usr/share/tamzotravel");
        verifyDelivered(share);
        QVERIFY(QFileInfo::exists(work.path("root/usr/share/applications/" + appId + ".desktop")));
        QVERIFY(QFileInfo::exists(work.path("root/usr/share/man/man1/tamzotravel.1.gz")));

        // A user's first start: nothing of theirs exists yet; an address given to the program opens first.
        const QString user = "home/.local/share/TamzoTravel/";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("XDG_DATA_HOME");
        environment.insert("HOME", work.path("home"));
        ProgramRun first(work.path("root/usr/bin/tamzotravel"));
        first.setEnvironment(environment);
        QVERIFY(first.start({server.url("/given")}));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/given") >= 1, 30000);
        for (const char *installed : {"Links/Links.Bok", "Languages/Lang_English.txt", "Languages/Lang_Italiano.txt",
                                      "Data/Template.doc", "Data/TemplateH.doc", "TamzoInstalled.txt"})
            QVERIFY2(work.exists(user + installed), installed);
        QVERIFY(QFileInfo(work.path(user + "Images")).isDir());
        QVERIFY2(first.endWith(SIGTERM), qPrintable(first.output()));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(work.readLines(user + "Data/TamzoTravel.Opt").value(4), ProgramState::defaultStartAddress);
        verifyDelivered(share);

        // The user chooses the local start page; then an update of the package changes a language file.
        work.write(user + "Data/TamzoTravel.Opt", {"1", "0", "0", "0", server.url("/start"), "English"});
        const QByteArray updated = work.readBytes("root/usr/share/tamzotravel/Lang_Italiano.txt") + "\r\n";
        work.writeBytes("root/usr/share/tamzotravel/Lang_Italiano.txt", updated);
        ProgramRun second(work.path("root/usr/bin/tamzotravel"));
        second.setEnvironment(environment);
        QVERIFY(second.start());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/start") >= 1, 30000);
        QCOMPARE(work.readBytes(user + "Languages/Lang_Italiano.txt"), updated);
        QVERIFY2(second.endWith(SIGTERM), qPrintable(second.output()));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(work.readLines(user + "Data/TamzoTravel.Opt"),
                 (QStringList{" 1", " 0", " 0", " 0", server.url("/start"), "English"}));
    }

    // On a system made for the tests (a Debian root of the check script's), the package goes in
    // as the README says, the program starts from its menu entry's command, and the package goes
    // out again leaving only the user's own folder.
    void packageInstallsStartsFromItsMenuEntryAndIsRemoved()
    {
        if (qEnvironmentVariable("TAMZO_TEST_SYSTEM_PACKAGE") != u"1")
            QSKIP("installs into this system only where TAMZO_TEST_SYSTEM_PACKAGE=1 allows it (scripts/check-debian13)");
        TestHttpServer server;
        server.setPage("/menu", "<html><head><title>Menu</title></head><body>menu</body></html>");
        TempAppFolder work;
        QString output;
        const QString deb = makePackage(work, &output);
        QVERIFY2(!deb.isEmpty(), qPrintable(output));
        // A run that stopped half-way may have left it in.
        removePackage();
        auto leftIn = qScopeGuard([] { removePackage(); });
        QVERIFY2(run("apt-get", {"install", "-y", "--no-install-recommends", deb}, &output, 300000) == 0, qPrintable(output));
        QCOMPARE(run("dpkg-query", {"-L", "tamzotravel"}, &output), 0);
        QStringList installedFiles;
        for (const QString &path : output.split(u'\n', Qt::SkipEmptyParts))
            if (QFileInfo(path).isFile())
                installedFiles << path;
        QVERIFY(installedFiles.contains("/usr/bin/tamzotravel"));

        QFile entry("/usr/share/applications/" + appId + ".desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QString exec;
        for (const QByteArray &line : entry.readAll().split('\n'))
            if (line.startsWith("Exec="))
                exec = QString::fromUtf8(line.mid(5));
        QStringList command = QProcess::splitCommand(exec.replace("%u", server.url("/menu")));
        QVERIFY2(command.size() == 2, qPrintable(exec));
        const QString program = QStandardPaths::findExecutable(command.takeFirst());
        QCOMPARE(program, QString("/usr/bin/tamzotravel"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("XDG_DATA_HOME");
        environment.insert("HOME", work.path("home"));
        ProgramRun started(program);
        started.setEnvironment(environment);
        QVERIFY(started.start(command));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount("/menu") >= 1, 30000);
        QVERIFY2(started.endWith(SIGTERM), qPrintable(started.output()));
        QCOMPARE(started.exitCode(), 0);
        const QString installedMarker = "home/.local/share/TamzoTravel/TamzoInstalled.txt";
        QVERIFY(work.exists(installedMarker));

        leftIn.dismiss();
        QVERIFY2(removePackage(&output) == 0, qPrintable(output));
        for (const QString &path : installedFiles)
            QVERIFY2(!QFileInfo::exists(path), qPrintable("left after removing the package: " + path));
        QVERIFY(work.exists(installedMarker));
    }
};

TAMZO_TEST_MAIN(tst_Package)
#include "tst_package.moc"
