#include "tolerance/ngspice_processes.h"

#include "files/save_file.h"
#include "simulation/ngspice_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
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

bool Cancelled(const std::atomic_bool *cancel)
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

NetlistRunOutcome RunOne(const NetlistRun &run, const QString &program, const QString &folder,
                         const std::atomic_bool *cancel)
{
    NetlistRunOutcome outcome;
    const QString path = QDir(folder).filePath(QStringLiteral("run.cir"));
    if (!SaveFile(path, run.netlist.toUtf8(), &outcome.failure))
        return outcome;
    QProcess ngspice;
    ngspice.setWorkingDirectory(folder);
    ngspice.setProcessEnvironment(IsolatedEnvironment(folder));
    ngspice.start(program, {QStringLiteral("-b"), QStringLiteral("-n"), path});
    if (!ngspice.waitForStarted(10000)) {
        outcome.failure = Tr("не удалось запустить %1: %2").arg(program, ngspice.errorString());
        return outcome;
    }
    const QDeadlineTimer deadline(SimulationTimeLimit());
    while (!ngspice.waitForFinished(50)) {
        const bool cancelled = Cancelled(cancel);
        if (cancelled || deadline.hasExpired()) {
            ngspice.kill();
            ngspice.waitForFinished(-1);
            outcome.failure = cancelled ? Tr("отменено") : Tr("ngspice считал дольше, чем позволено");
            return outcome;
        }
    }
    const QString output = QString::fromLocal8Bit(ngspice.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(ngspice.readAllStandardError());
    if (ngspice.exitStatus() != QProcess::NormalExit || ngspice.exitCode() != 0) {
        const QString cause = Complaint(errors + u'\n' + output);
        outcome.failure = ngspice.exitStatus() != QProcess::NormalExit
            ? Tr("ngspice завершился аварийно")
            : Tr("ngspice завершился с кодом %1").arg(ngspice.exitCode());
        if (!cause.isEmpty())
            outcome.failure += QStringLiteral(": ") + cause;
        return outcome;
    }
    outcome.measured = ParseMeasurements(output.split(u'\n'), run.measureNames);
    if (outcome.measured.empty() && !run.measureNames.isEmpty())
        outcome.failure = Tr("ngspice не напечатал ни одного измерения");
    return outcome;
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
    const auto work = [&] {
        const QTemporaryDir folder;
        for (std::size_t k = next++; k < runs.size(); k = next++) {
            if (Cancelled(cancel))
                outcomes[k].failure = Tr("отменено");
            else if (!folder.isValid())
                outcomes[k].failure = Tr("не удалось создать временную папку: %1").arg(folder.errorString());
            else
                outcomes[k] = RunOne(runs[k], program, folder.path(), cancel);
            if (finished)
                finished();
        }
    };
    const std::size_t workers = std::clamp<std::size_t>(std::size_t(std::max(jobs, 1)), 1, runs.size());
    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back(work);
    // The caller's thread works too: no thread waits idle for the others.
    if (!runs.empty())
        work();
    for (std::thread &thread : threads)
        thread.join();
    return outcomes;
}
