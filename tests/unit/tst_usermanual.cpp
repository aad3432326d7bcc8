#include "core/programstate.h"
#include "dialogs/usermanual.h"
#include "tempappfolder.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

class tst_UserManual : public QObject
{
    Q_OBJECT
private slots:
    void manualOfTheLanguage_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("langCode");
        QTest::addColumn<QString>("expected");
        const QStringList both{"TamzoManualEng.html", "TamzoManualIta.html"};
        QTest::newRow("english") << both << "Eng" << "TamzoManualEng.html";
        QTest::newRow("italian") << both << "Ita" << "TamzoManualIta.html";
        QTest::newRow("code in other case") << both << "ITA" << "TamzoManualIta.html";
        QTest::newRow("language without manual") << both << "Deu" << "TamzoManualEng.html";
        QTest::newRow("no code") << both << "" << "TamzoManualEng.html";
        QTest::newRow("code that is a path") << both << "../" << "TamzoManualEng.html";
        QTest::newRow("only italian, english asked") << QStringList{"TamzoManualIta.html"} << "Eng" << "";
        QTest::newRow("none") << QStringList{} << "Ita" << "";
    }
    void manualOfTheLanguage()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, langCode);
        QFETCH(QString, expected);
        TempAppFolder folder;
        QDir().mkpath(folder.path("Data"));
        for (const QString &name : installed)
            folder.write("Data/" + name, {"<html></html>"});
        ProgramState state{AppFolder(folder.root())};
        state.langCode = langCode;
        QCOMPARE(UserManual::path(state), expected.isEmpty() ? QString() : folder.path("Data/" + expected));
    }
};

TAMZO_TEST_MAIN(tst_UserManual)
#include "tst_usermanual.moc"
