#include "testmain.h"

#include <QProcess>
#include <QTest>

// The warnings check of the shared test entry, seen from outside: this program runs itself with
// the warning cases turned on and reads what Qt Test reported.
class tst_WarningCheck : public QObject
{
    Q_OBJECT
private:
    static bool isChild() { return qEnvironmentVariableIsSet("TAMZO_WARNING_CASES"); }

private slots:
    void warningCase_data()
    {
        QTest::addColumn<QString>("warning");
        QTest::addColumn<bool>("announced");
        QTest::newRow("unexpected") << "a signal connection failed" << false;
        QTest::newRow("announced") << "a warning the test expects" << true;
        QTest::newRow("headless") << "This plugin does not support setting window opacity" << false;
        QTest::newRow("headless-like") << "This plugin does not support a signal connection" << false;
    }
    void warningCase()
    {
        if (!isChild())
            QSKIP("run by caseOutcome");
        QFETCH(QString, warning);
        QFETCH(bool, announced);
        if (announced)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        qWarning("%s", qPrintable(warning));
    }

    void caseOutcome_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("fails");
        QTest::newRow("unexpected warning fails") << "unexpected" << true;
        QTest::newRow("announced warning passes") << "announced" << false;
        QTest::newRow("headless platform notice passes") << "headless" << false;
        QTest::newRow("other text in the notice's words fails") << "headless-like" << true;
    }
    void caseOutcome()
    {
        if (isChild())
            QSKIP("the parent's test");
        QFETCH(QString, row);
        QFETCH(bool, fails);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAMZO_WARNING_CASES", "1");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"warningCase:" + row});
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromUtf8(child.readAll());
        QCOMPARE(child.exitCode() != 0, fails);
        QCOMPARE(output.contains("Received a warning that resulted in a failure"), fails);
    }
};

TAMZO_TEST_MAIN(tst_WarningCheck)
#include "tst_warningcheck.moc"
