#include "tolerance/ngspice_processes.h"

#include "files/save_file.h"
#include "simulation/ngspice_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <mutex>
#include <thread>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("Tolerance", text);
}

std::mutex programMutex;
QString &Program()
{
    static QString program = QStringLiteral("ngspice");
    return program;
}

bool CancelRequested(const std::atomic_bool *cancel)
{
    return cancel && cancel->load();
}

// The environment of the export's command line: no start-up script (SPICE_SCRIPTS=/dev/null and -n), numbers
// the C way, measurements with ngspice's default precision, a home with no .spiceinit.
QProcessEnvironment IsolatedEnvironment(const QString &folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"SPICE_LIB_DIR", "NGSPICE_MEAS_PRECISION", "LANGUAGE", "LC_NUMERIC"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("SPICE_SCRIPTS"), QStringLiteral("/dev/null"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    environment.insert(QStringLiteral("HOME"), folder);
    return environment;
}

// The last line of ngspice's output that says what went wrong, else the last one.
QString Complaint(const QString &output)
{
    const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line)
        if (line->contains(QStringLiteral("rror")) || line->contains(QStringLiteral("too small")))
            return line->trimmed();
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

// One worker's ngspice, kept between runs in pipe mode: a run costs its simulation, not a start of ngspice.
class NgspiceWorker
{
public:
    NgspiceWorker(const QString &program, const QString &folder) : program_(program), folder_(folder) {}
    ~NgspiceWorker() { Stop(); }

    NetlistRunOutcome Run(const NetlistRun &run, const std::atomic_bool *cancel);

private:
    Outcome<> Start();
    void Stop()
    {
        if (ngspice_.state() == QProcess::NotRunning)
            return;
        ngspice_.kill();
        ngspice_.waitForFinished(-1);
    }

    QString program_, folder_;
    QProcess ngspice_;
    int runs_ = 0;
};

Outcome<> NgspiceWorker::Start()
{
    if (ngspice_.state() == QProcess::Running)
        return {};
    ngspice_.setWorkingDirectory(folder_);
    ngspice_.setProcessEnvironment(IsolatedEnvironment(folder_));
    ngspice_.setProcessChannelMode(QProcess::MergedChannels);
    ngspice_.start(program_, {QStringLiteral("-p"), QStringLiteral("-n")});
    if (ngspice_.waitForStarted(10000))
        return {};
    return Failure{Tr("не удалось запустить %1: %2").arg(program_, ngspice_.errorString())};
}

NetlistRunOutcome NgspiceWorker::Run(const NetlistRun &run, const std::atomic_bool *cancel)
{
    NetlistRunOutcome outcome;
    const QString path = QDir(folder_).filePath(QStringLiteral("run.cir"));
    Outcome<> ready = SaveFile(path, run.netlist.toUtf8());
    if (ready)
        ready = Start();
    if (!ready) {
        outcome.failure = ready.Message();
        return outcome;
    }
    // The run, the last time point it reached, and a mark that it is over; then nothing of it stays.
    const QByteArray end = "ortix-end-" + QByteArray::number(++runs_);
    ngspice_.readAll();
    ngspice_.write("source " + path.toUtf8() + "\nrun\nprint time[length(time)-1]\ndestroy all\nremcirc\necho " + end
                   + "\n");
    QByteArray output;
    const QDeadlineTimer deadline(SimulationTimeLimit());
    while (!output.contains("\n" + end)) {
        if (ngspice_.state() == QProcess::NotRunning) {
            output += ngspice_.readAll();
            const QString cause = Complaint(QString::fromLocal8Bit(output));
            outcome.failure = (ngspice_.exitStatus() == QProcess::NormalExit
                                   ? Tr("ngspice завершился с кодом %1").arg(ngspice_.exitCode())
                                   : Tr("ngspice завершился аварийно"))
                + (cause.isEmpty() ? QString() : QStringLiteral(": ") + cause);
            return outcome;
        }
        const bool cancelled = CancelRequested(cancel);
        if (cancelled || deadline.hasExpired()) {
            Stop();
            outcome.failure = cancelled ? Tr("отменено") : Tr("ngspice считал дольше, чем позволено");
            return outcome;
        }
        ngspice_.waitForReadyRead(50);
        output += ngspice_.readAll();
    }
    const QStringList lines = QString::fromLocal8Bit(output).split(u'\n');
    // A run that stopped short of its end (no convergence, an error in the netlist) has no verdict.
    static const QRegularExpression transient(QStringLiteral("^\\.tran\\s+\\S+\\s+(\\S+)"),
                                              QRegularExpression::MultilineOption);
    static const QRegularExpression reached(QStringLiteral("^time\\[length\\(time\\)-1\\]\\s*=\\s*(\\S+)"));
    const double stop = transient.match(run.netlist).captured(1).toDouble();
    double last = NAN;
    for (const QString &line : lines)
        if (const auto match = reached.match(line.trimmed()); match.hasMatch())
            last = match.captured(1).toDouble();
    if (!(last >= stop * (1 - 1e-9))) {
        const QString cause = Complaint(QString::fromLocal8Bit(output));
        outcome.failure =
            Tr("ngspice не досчитал до конца") + (cause.isEmpty() ? QString() : QStringLiteral(": ") + cause);
        return outcome;
    }
    outcome.measured = ParseMeasurements(lines, run.measureNames);
    if (outcome.measured.empty() && !run.measureNames.isEmpty())
        outcome.failure = Tr("ngspice не напечатал ни одного измерения");
    return outcome;
}

// Each run's netlist is written whole, synced to its disk: in memory, where there is a file system there, that
// costs nothing.
QString WorkerFolderTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return QDir(memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath())
        .filePath(QStringLiteral("ortix-t-XXXXXX"));
}

} // namespace

int DefaultJobs()
{
    return std::max(1, QThread::idealThreadCount());
}

void SetNgspiceProgram(const QString &program)
{
    const std::lock_guard lock(programMutex);
    Program() = program;
}

std::vector<NetlistRunOutcome> RunNetlists(const std::vector<NetlistRun> &runs, int jobs,
                                           const std::atomic_bool *cancel, const std::function<void()> &finished)
{
    std::vector<NetlistRunOutcome> outcomes(runs.size());
    QString program;
    {
        const std::lock_guard lock(programMutex);
        program = Program();
    }
    std::atomic_size_t next = 0;
    const std::size_t workers =
        std::clamp<std::size_t>(std::size_t(std::max(jobs, 1)), 1, std::max<std::size_t>(runs.size(), 1));
    const auto work = [&] {
        const QTemporaryDir folder(WorkerFolderTemplate());
        NgspiceWorker ngspice(program, folder.path());
        for (std::size_t k = next++; k < runs.size(); k = next++) {
            if (CancelRequested(cancel))
                outcomes[k].failure = Tr("отменено");
            else if (!folder.isValid())
                outcomes[k].failure = Tr("не удалось создать временную папку: %1").arg(folder.errorString());
            else
                outcomes[k] = ngspice.Run(runs[k], cancel);
            if (finished)
                finished();
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t w = 0; w < workers && !runs.empty(); ++w)
        threads.emplace_back(work);
    for (std::thread &thread : threads)
        thread.join();
    return outcomes;
}
