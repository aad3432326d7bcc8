#pragma once

#include "officeengine.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <memory>

// The office engine on this platform: one helper process (Debian's Python with its UNO bridge)
// that runs a headless LibreOffice with a throw-away profile and answers JSON requests, one a
// line. It starts at the first request, stays for the next ones and ends with this object.
// A request that is not answered in time, or an office that dies, is reported, and the helper
// with its office is killed; the next request starts a fresh one.
// The helper's folder (its script, the office profile, the copies the office opens, their
// temporary files) lies in a place only the user can write: the user's runtime folder, or the
// folder the owner gives.
class LibreOfficeEngine : public QObject, public OfficeEngine
{
    Q_OBJECT
public:
    static constexpr int defaultStartMs = 60000;
    static constexpr int defaultRequestMs = 60000;
    static inline const QString defaultPython = QStringLiteral("/usr/bin/python3");

    // helperScript: the script the helper runs; empty for the program's own. Another script can
    // import the program's as the module "officehelper" and add operations of its own.
    explicit LibreOfficeEngine(QString helperScript = {}, QObject *parent = nullptr);
    ~LibreOfficeEngine() override;

    void setPython(const QString &program) { m_python = program; }
    // Where the work folders go when the user's runtime folder is not private.
    void setOwnFolder(const QString &fallback) { m_ownFolder = fallback; }
    // The place of the work folders: a private "TamzoTravel" in the runtime folder, or the own
    // folder given; empty when neither is a folder only the user can enter.
    QString workPlace() const;
    void setTimeouts(int startMs, int requestMs);
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    // The helper's process, which leads the process group of its office.
    qint64 processId() const { return m_process.processId(); }

    // Sends one request; answer holds "ok" and either "error" or the operation's values.
    using Answer = std::function<void(const QJsonObject &answer)>;
    void call(QJsonObject request, Answer answer);

    void prepare() override;
    void writeDocument(const QString &templatePath, bool landscape, const QString &htmlPath,
                       const QList<Output> &outputs, Done done) override;
    void writeWorkbook(const QString &htmlPath, const QString &output, Done done) override;
    void appendSlide(const QString &presentation, const QString &picturePath, const QString &output,
                     Done done) override;

private:
    struct Pending
    {
        QJsonObject request;
        Answer answer;
    };
    // Empty when the helper was started; otherwise why not, with the kind of failure.
    QString start(Failure &failure);
    void sendNext();
    void readAnswers();
    void fail(const QString &error, Failure failure);
    void stop();
    void finish(const QJsonObject &answer);
    static void toReply(const QJsonObject &answer, const Done &done);
    static void removeLeftoversOfEndedRuns(const QString &place);

    QString m_helperScript;
    QString m_python = defaultPython;
    QString m_ownFolder;
    int m_startMs = defaultStartMs;
    int m_requestMs = defaultRequestMs;
    std::unique_ptr<QTemporaryDir> m_work;
    QProcess m_process;
    QByteArray m_buffer;
    QByteArray m_errors;
    std::deque<Pending> m_queue;
    bool m_inFlight = false;
    bool m_fresh = false;
    bool m_stopping = false;
    qint64 m_nextId = 1;
    QTimer m_deadline;
};
