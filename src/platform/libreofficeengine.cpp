#include "libreofficeengine.h"

#include "childenvironment.h"
#include "ownfolders.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cerrno>
#include <csignal>
#include <map>
#include <sys/prctl.h>
#include <unistd.h>

static void initOfficeResources() { Q_INIT_RESOURCE(office); }

// The helper's folder is named after the program's process, so that the folders of runs that were
// killed can be told apart.
static const QString workPrefix = QStringLiteral("tamzo-office-");
static const QString runtimePlace = QStringLiteral("TamzoTravel");

static const std::map<QString, OfficeEngine::Failure> failureKinds{
    {QStringLiteral("missing"), OfficeEngine::Failure::Missing},
    {QStringLiteral("stopped"), OfficeEngine::Failure::Stopped},
    {QStringLiteral("template"), OfficeEngine::Failure::Template},
    {QStringLiteral("presentation"), OfficeEngine::Failure::NotPresentation},
    {QStringLiteral("write"), OfficeEngine::Failure::Write},
    {QStringLiteral("unsafe"), OfficeEngine::Failure::Unsafe},
};

LibreOfficeEngine::LibreOfficeEngine(QString helperScript, QObject *parent)
    : QObject(parent), m_helperScript(std::move(helperScript))
{
    initOfficeResources();
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        fail(tr("The office engine did not answer within %1 s and was stopped.")
                 .arg((m_fresh ? m_startMs + m_requestMs : m_requestMs) / 1000),
             Failure::Stopped);
    });
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &LibreOfficeEngine::readAnswers);
    connect(&m_process, &QProcess::readyReadStandardError, this, [this] {
        m_errors = QByteArray(m_errors + m_process.readAllStandardError()).right(2000);
    });
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(tr("%1 could not be started: %2").arg(m_python, m_process.errorString()), Failure::Missing);
    });
    connect(&m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus) {
        if (m_stopping)
            return;
        const QString detail = QString::fromLocal8Bit(m_errors).trimmed().section(u'\n', -1);
        fail(tr("The office engine stopped unexpectedly (exit code %1). %2").arg(code).arg(detail), Failure::Stopped);
    });
    // The helper and its office share a process group that ends with this program: the helper
    // gets SIGTERM when the program dies and ends its office.
    m_process.setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
}

LibreOfficeEngine::~LibreOfficeEngine()
{
    m_queue.clear();
    m_inFlight = false;
    stop();
}

void LibreOfficeEngine::setTimeouts(int startMs, int requestMs)
{
    m_startMs = startMs;
    m_requestMs = requestMs;
}

QString LibreOfficeEngine::workPlace() const
{
    if (const QString runtime = OwnFolders::runtimeFolder(); !runtime.isEmpty()) {
        const QString place = QDir(runtime).filePath(runtimePlace);
        if (OwnFolders::makePrivate(place))
            return place;
    }
    return !m_ownFolder.isEmpty() && OwnFolders::makePrivate(m_ownFolder) ? m_ownFolder : QString();
}

QString LibreOfficeEngine::start(Failure &failure)
{
    if (running())
        return {};
    failure = Failure::Unsafe;
    const QString place = workPlace();
    if (place.isEmpty())
        return m_ownFolder;
    removeLeftoversOfEndedRuns(place);
    m_work = std::make_unique<QTemporaryDir>(QDir(place).filePath(workPrefix + QString::number(::getpid())
                                                                  + QStringLiteral("-XXXXXX")));
    // The folder goes through OwnFolders, which follows no link inside it.
    m_work->setAutoRemove(false);
    if (!m_work->isValid())
        return place;
    const QString script = m_work->filePath(QStringLiteral("officehelper.py"));
    QFile::copy(QStringLiteral(":/office/officehelper.py"), script);
    m_buffer.clear();
    m_errors.clear();
    m_fresh = true;
    QProcessEnvironment environment = ChildEnvironment::get();
    environment.insert(QStringLiteral("PYTHONPATH"), m_work->path());
    environment.insert(QStringLiteral("PYTHONDONTWRITEBYTECODE"), QStringLiteral("1"));
    // The office's and the helper's temporary files stay in the private folder too.
    environment.insert(QStringLiteral("TMPDIR"), m_work->path());
    m_process.setProcessEnvironment(environment);
    m_process.start(m_python, {m_helperScript.isEmpty() ? script : m_helperScript,
                               m_work->filePath(QStringLiteral("profile"))});
    if (m_process.state() != QProcess::NotRunning || m_process.error() != QProcess::FailedToStart)
        return {};
    failure = Failure::Missing;
    return tr("%1 could not be started: %2").arg(m_python, m_process.errorString());
}

void LibreOfficeEngine::stop()
{
    m_deadline.stop();
    if (m_process.state() != QProcess::NotRunning) {
        m_stopping = true;
        ::kill(-static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(3000);
        m_stopping = false;
    }
    if (m_work && m_work->isValid())
        OwnFolders::removeTree(m_work->path());
    m_work.reset();
}

void LibreOfficeEngine::prepare()
{
    Failure failure;
    if (!running())
        start(failure);
}

void LibreOfficeEngine::call(QJsonObject request, Answer answer)
{
    request.insert(QStringLiteral("id"), m_nextId++);
    m_queue.push_back({std::move(request), std::move(answer)});
    sendNext();
}

void LibreOfficeEngine::sendNext()
{
    if (m_inFlight || m_queue.empty())
        return;
    m_inFlight = true;
    Failure failure;
    if (const QString error = start(failure); !error.isEmpty()) {
        fail(error, failure);
        return;
    }
    m_process.write(QJsonDocument(m_queue.front().request).toJson(QJsonDocument::Compact) + '\n');
    m_deadline.start(m_fresh ? m_startMs + m_requestMs : m_requestMs);
}

void LibreOfficeEngine::readAnswers()
{
    m_buffer += m_process.readAllStandardOutput();
    for (qsizetype end = m_buffer.indexOf('\n'); end >= 0; end = m_buffer.indexOf('\n')) {
        const QJsonObject answer = QJsonDocument::fromJson(m_buffer.left(end)).object();
        m_buffer.remove(0, end + 1);
        if (m_inFlight && answer.value(u"id").toInteger() == m_queue.front().request.value(u"id").toInteger())
            finish(answer);
    }
}

void LibreOfficeEngine::finish(const QJsonObject &answer)
{
    m_deadline.stop();
    m_fresh = false;
    const Answer done = std::move(m_queue.front().answer);
    m_queue.pop_front();
    m_inFlight = false;
    // The helper lost its office: the next request gets a fresh helper.
    if (answer.value(u"restart").toBool())
        stop();
    // The next request goes out once this answer has been handled.
    QMetaObject::invokeMethod(this, &LibreOfficeEngine::sendNext, Qt::QueuedConnection);
    done(answer);
}

void LibreOfficeEngine::fail(const QString &error, Failure failure)
{
    // A helper that failed or hung is not trusted with the next request.
    stop();
    if (!m_inFlight)
        return;
    const QString kind = failure == Failure::Missing  ? QStringLiteral("missing")
                         : failure == Failure::Unsafe ? QStringLiteral("unsafe")
                                                      : QStringLiteral("stopped");
    finish(QJsonObject{{"ok", false}, {"error", error}, {"kind", kind}});
}

// What killed runs left: in the work place, and in the temporary folder where earlier versions of
// the program kept it. Only real folders of the user's go; a link planted under such a name, or
// another user's folder, stays as it is.
void LibreOfficeEngine::removeLeftoversOfEndedRuns(const QString &place)
{
    for (const QString &folder : {place, QDir::tempPath()}) {
        const QDir holder(folder);
        for (const QString &name : holder.entryList({workPrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool number = false;
            const pid_t owner = name.mid(workPrefix.size()).section(u'-', 0, 0).toInt(&number);
            if (number && owner > 0 && owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH)
                OwnFolders::removeTree(holder.filePath(name));
        }
    }
}

void LibreOfficeEngine::toReply(const QJsonObject &answer, const Done &done)
{
    Reply reply;
    reply.ok = answer.value(u"ok").toBool();
    reply.error = answer.value(u"error").toString();
    if (!reply.ok) {
        const auto kind = failureKinds.find(answer.value(u"kind").toString());
        reply.failure = kind == failureKinds.end() ? Failure::Other : kind->second;
    }
    reply.slides = answer.value(u"slides").toInt();
    done(reply);
}

void LibreOfficeEngine::writeDocument(const QString &templatePath, bool landscape, const QString &htmlPath,
                                      const QList<Output> &outputs, Done done)
{
    QJsonArray files;
    for (const Output &output : outputs)
        files.append(QJsonObject{{"path", output.path}, {"filter", output.filter}});
    call({{"op", "document"}, {"template", templatePath}, {"landscape", landscape}, {"html", htmlPath},
          {"outputs", files}},
         [done = std::move(done)](const QJsonObject &answer) { toReply(answer, done); });
}

void LibreOfficeEngine::writeWorkbook(const QString &htmlPath, const QString &output, Done done)
{
    call({{"op", "workbook"}, {"html", htmlPath}, {"output", output}},
         [done = std::move(done)](const QJsonObject &answer) { toReply(answer, done); });
}

void LibreOfficeEngine::appendSlide(const QString &presentation, const QString &picturePath, const QString &output,
                                    Done done)
{
    call({{"op", "slide"}, {"presentation", presentation}, {"picture", picturePath}, {"output", output}},
         [done = std::move(done)](const QJsonObject &answer) { toReply(answer, done); });
}
