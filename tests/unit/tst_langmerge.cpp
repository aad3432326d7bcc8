#include "core/programstate.h"
#include "language/languagefile.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Caption n of the delivered files is on line n + 18: the settings, [Captions], then caption 1.
constexpr int captionLineOffset = 18;

// A git repository of its own holding the delivered Italian file, merged with the language files'
// merge driver set up as the README says.
class Repository
{
public:
    Repository()
    {
        for (const QStringList &arguments :
             {QStringList{"init", "-q", "-b", "main"}, {"config", "user.name", "T"}, {"config", "user.email", "t@example.org"},
              {"config", "merge.langcaptions.driver", "/usr/bin/python3 " TAMZO_SOURCE_DIR "/scripts/langmerge.py %O %A %B %P"}})
            git(arguments);
        QDir(m_folder.path()).mkdir("install");
        QFile::copy(TAMZO_SOURCE_DIR "/.gitattributes", m_folder.filePath(".gitattributes"));
        QFile::copy(TAMZO_SOURCE_DIR "/install/Lang_Italiano.txt", path());
        git({"add", "."});
        git({"commit", "-q", "-m", "delivered"});
    }
    QString path() const { return m_folder.filePath("install/Lang_Italiano.txt"); }
    QByteArray content() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A branch of main whose file gives these captions new texts (a null text takes the caption
    // out) and holds the setting before [Captions].
    void commit(const QString &branch, const QMap<int, QByteArray> &captions, const QByteArray &setting = {})
    {
        git({"checkout", "-q", "-B", branch, "main"});
        QByteArrayList lines = content().split('\n');
        // From the last caption up, so a caption taken out moves none still to come.
        for (auto it = captions.cend(); it != captions.cbegin();) {
            --it;
            if (it.value().isNull())
                lines.removeAt(captionLineOffset + it.key() - 1);
            else
                lines[captionLineOffset + it.key() - 1] = '"' + it.value() + "\"\r";
        }
        if (!setting.isEmpty())
            lines.insert(captionLineOffset - 1, setting + '\r');
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(lines.join('\n')) > 0);
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
        process.start("git", arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(process.readAll())};
    }

    QTemporaryDir m_folder;
};

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
        ProgramState delivered(AppFolder(QDir::tempPath())), merged(AppFolder(QDir::tempPath()));
        LanguageFile::readFile(delivered, repository.path());
        const QByteArray city = QString::fromUtf8("Città di partenza").toUtf8();
        repository.commit("theirs", {{565, city}, {566, "Seconda"}}, "HELP_PAGE=https://aiuto.example/");
        QMap<int, QByteArray> ours{{383, "Nostra"}};
        for (int n = 591; n <= 596; ++n)
            ours.insert(n, QByteArray());
        repository.commit("main", ours);

        const auto [status, output] = repository.merge("theirs");
        QVERIFY2(status == 0, qPrintable(output));
        const QByteArray content = repository.content();
        QCOMPARE(content.count("\r\n"), content.count('\n'));
        QVERIFY(content.contains("&tl=it&u=\r\nHELP_PAGE=https://aiuto.example/\r\n[Captions]\r\n"));
        LanguageFile::readFile(merged, repository.path());
        delivered.captions[565] = QString::fromUtf8(city);
        delivered.captions[566] = "Seconda";
        delivered.captions[383] = "Nostra";
        for (int n = 1; n <= 590; ++n)
            QVERIFY2(merged.caption(n) == delivered.caption(n), qPrintable(QString::number(n) + ": " + merged.caption(n)));
    }

    void oneCaptionChangedTwoWaysIsAConflict()
    {
        Repository repository;
        repository.commit("theirs", {{565, "Loro"}, {566, "Anche loro"}});
        repository.commit("main", {{565, "Nostra"}});

        const auto [status, output] = repository.merge("theirs");
        QVERIFY2(status != 0 && output.contains("caption 565 was changed on both sides"), qPrintable(output));
        QVERIFY(repository.content().contains(
            "<<<<<<< ours\r\n\"Nostra\"\r\n=======\r\n\"Loro\"\r\n>>>>>>> theirs\r\n\"Anche loro\"\r\n"));
    }
};

TAMZO_TEST_MAIN(tst_LangMerge)
#include "tst_langmerge.moc"
