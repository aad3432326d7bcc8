#include "kill/savegeneration.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <csignal>

// A driver rewrites every file of an application folder through the program's save procedures
// and is killed with SIGKILL at random moments. After every kill each file holds one whole
// generation, the one before or the one being written (never an older one), byte for byte as
// the program writes it; the program's readers read it, and so does the driver's next start.
class tst_KillSaves : public QObject
{
    Q_OBJECT
private:
    // The files of generation g as the program writes them.
    static QByteArray expectedBytes(const QString &file, int g)
    {
        static QHash<QPair<QString, int>, QByteArray> written;
        const auto key = qMakePair(file, g);
        if (!written.contains(key)) {
            TempAppFolder scratch;
            if (!SaveGeneration(scratch.root()).save(g).ok())
                return {};
            for (const QString &name : SaveGeneration::files())
                written.insert(qMakePair(name, g), scratch.readBytes(name));
        }
        return written.value(key);
    }

private slots:
    void everyFileIsWholeAfterEveryKill()
    {
        TempAppFolder folder;
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const int fileCount = static_cast<int>(SaveGeneration::files().size());
        QList<int> known(fileCount, 0);
        int kills = 0;
        int killsBetweenFiles = 0;
        QElapsedTimer clock;
        clock.start();
        // A fixed number of kills, however long a busy machine takes for them.
        while (kills < 150) {
            QProcess driver;
            driver.start(TAMZO_SAVE_DRIVER, {folder.root()});
            QVERIFY(driver.waitForStarted(10000));
            QVERIFY2(driver.waitForReadyRead(20000), qPrintable(driver.readAllStandardError()));
            QTest::qSleep(random.bounded(40));
            ::kill(static_cast<pid_t>(driver.processId()), SIGKILL);
            QVERIFY(driver.waitForFinished(10000));
            ++kills;

            const QStringList lines = QString::fromUtf8(driver.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            QVERIFY2(!lines.isEmpty() && lines.first().startsWith("start "), qPrintable(driver.readAllStandardError()));
            // The driver's own start read what the last kill left.
            QList<int> started;
            for (const QString &g : lines.first().section(' ', 1).split(' '))
                started << g.toInt();
            QCOMPARE(started, known);
            const int startedFrom = std::max(0, *std::max_element(known.begin(), known.end()));
            const int lastSaved = lines.size() > 1 ? lines.last().section(' ', 1).toInt() : startedFrom;

            const QList<int> found = SaveGeneration(folder.root()).read();
            for (int i = 0; i < fileCount; ++i) {
                const QString &file = SaveGeneration::files()[i];
                const QString where = QString("%1 after kill %2 (saved up to %3)").arg(file).arg(kills).arg(lastSaved);
                QVERIFY2(found[i] >= known[i] && found[i] <= lastSaved + 1, qPrintable(where + QString(": generation %1").arg(found[i])));
                if (found[i] > 0)
                    QVERIFY2(folder.readBytes(file) == expectedBytes(file, found[i]), qPrintable(where));
            }
            if (QSet<int>(found.begin(), found.end()).size() > 1)
                ++killsBetweenFiles;
            known = found;
        }
        const int leftovers = static_cast<int>(QDir(folder.path("Data")).entryList(QDir::Files).size() +
                                               QDir(folder.path("Links")).entryList(QDir::Files).size()) - fileCount;
        qInfo("seed %u: %d kills in %.1f s, %d of them left the files at two generations; the files reached "
              "generation %d; %d unfinished temporary files left beside them",
              seed, kills, clock.elapsed() / 1000.0, killsBetweenFiles, *std::max_element(known.begin(), known.end()),
              leftovers);
    }
};

TAMZO_TEST_MAIN(tst_KillSaves)
#include "tst_killsaves.moc"
