#include "core/programstate.h"
#include "language/languagefile.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString language = QStringLiteral("install/Lang_Italiano.txt");
// A caption's line in the delivered files: the settings, then [Captions], then caption 1.
constexpr int firstCaptionLine = 19;

// What one branch does to the language file: captions given new texts or taken out, and lines put
// in before a line of the file as it was (counted from 1).
struct Change
{
    QMap<int, QByteArray> captions;
    QList<int> removedCaptions;
    QMap<int, QByteArray> insertedLines;
};

// A git repository of its own holding the delivered language file, merged with the language
// files' merge driver set up as the README says.
class Repository
{
public:
    Repository()
    {
        for (const QStringList &arguments :
             {QStringList{"init", "-q", "-b", "main"}, {"config", "user.name", "Tester"}, {"config", "user.email", "t@example.org"},
              {"config", "merge.langcaptions.driver", "/usr/bin/python3 " TAMZO_SOURCE_DIR "/scripts/langmerge.py %O %A %B %P"}})
            git(arguments);
        QDir().mkpath(m_folder.filePath("install"));
        QFile::copy(QStringLiteral(TAMZO_SOURCE_DIR "/.gitattributes"), m_folder.filePath(".gitattributes"));
        QFile::copy(QStringLiteral(TAMZO_SOURCE_DIR "/") + language, path());
        git({"add", "."});
        git({"commit", "-q", "-m", "delivered"});
    }

    QString path() const { return m_folder.filePath(language); }
    QByteArray content() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void commit(const QString &branch, const Change &change)
    {
        git({"checkout", "-q", "-B", branch, "main"});
        QByteArrayList lines = content().split('\n');
        for (auto it = change.captions.begin(); it != change.captions.end(); ++it)
            lines[firstCaptionLine + it.key() - 2] = '"' + it.value() + "\"\r";
        for (int line = int(lines.size()); line >= 1; --line) {
            if (change.removedCaptions.contains(line - firstCaptionLine + 1))
                lines.removeAt(line - 1);
            if (change.insertedLines.contains(line))
                lines.insert(line - 1, change.insertedLines[line] + '\r');
        }
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n'));
        file.close();
        git({"commit", "-q", "-a", "-m", branch});
    }

    // Merges the branch into main: git's exit status and what it printed.
    QPair<int, QString> merge(const QString &branch)
    {
        git({"checkout", "-q", "main"});
        return git({"merge", "--no-edit", branch});
    }

private:
    QPair<int, QString> git(const QStringList &arguments)
    {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral("git"), arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAll())};
    }

    QTemporaryDir m_folder;
};

ProgramState captionsOf(const QString &path)
{
    ProgramState state(AppFolder(QFileInfo(path).path()));
    LanguageFile::readFile(state, path);
    return state;
}

} // namespace

class tst_LangMerge : public QObject
{
    Q_OBJECT
private slots:
    // One side fills captions among the empty ones and adds a setting; the other fills the first
    // empty caption and drops six empty ones further down, as an editor of a shorter file would.
    // A merge of lines puts the first side's captions six numbers too low.
    void changesToDifferentCaptionsAllArrive()
    {
        Repository repository;
        const ProgramState delivered = captionsOf(repository.path());
        const QByteArray city = QString::fromUtf8("Città di partenza").toUtf8();
        repository.commit("theirs", {{{565, city}, {566, "Seconda"}}, {}, {{firstCaptionLine - 1, "HELP_PAGE=https://aiuto.example/"}}});
        repository.commit("main", {{{383, "Nostra"}}, {591, 592, 593, 594, 595, 596}, {}});

        const auto [status, output] = repository.merge("theirs");
        QVERIFY2(status == 0, qPrintable(output));
        const QByteArray merged = repository.content();
        QCOMPARE(merged.count("\r\n"), merged.count('\n'));
        QVERIFY(merged.contains("TRANSLATOR_PATH=https://translate.google.com/translate?sl=auto&tl=it&u=\r\n"
                                "HELP_PAGE=https://aiuto.example/\r\n[Captions]\r\n"));
        const ProgramState read = captionsOf(repository.path());
        QCOMPARE(read.caption(565), QString::fromUtf8(city));
        QCOMPARE(read.caption(566), "Seconda");
        QCOMPARE(read.caption(383), "Nostra");
        for (int n = 1; n <= 590; ++n) {
            if (n != 565 && n != 566 && n != 383)
                QVERIFY2(read.caption(n) == delivered.caption(n), qPrintable(QString::number(n) + ": " + read.caption(n)));
        }
    }

    void oneCaptionChangedTwoWaysIsAConflict()
    {
        Repository repository;
        repository.commit("theirs", {{{565, "Loro"}, {566, "Anche loro"}}, {}, {}});
        repository.commit("main", {{{565, "Nostra"}}, {}, {}});

        const auto [status, output] = repository.merge("theirs");
        QVERIFY2(status != 0, qPrintable(output));
        QVERIFY2(output.contains("caption 565 was changed on both sides"), qPrintable(output));
        const QByteArray merged = repository.content();
        QVERIFY(merged.contains("<<<<<<< ours\r\n\"Nostra\"\r\n=======\r\n\"Loro\"\r\n>>>>>>> theirs\r\n\"Anche loro\"\r\n"));
    }
};

TAMZO_TEST_MAIN(tst_LangMerge)
#include "tst_langmerge.moc"
