#include "simulation/ngspice_session.h"

#include "files/save_file.h"

#include <ngspice/sharedspice.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <cfenv>
#include <condition_variable>
#include <dlfcn.h>
#include <fcntl.h>
#include <locale.h>
#include <mutex>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The step formulas depend on the x87 control word; whatever ngspice sets stays inside the call.
class KeepFloatingPointEnvironment
{
public:
    KeepFloatingPointEnvironment() { fegetenv(&saved_); }
    ~KeepFloatingPointEnvironment() { fesetenv(&saved_); }
    KeepFloatingPointEnvironment(const KeepFloatingPointEnvironment &) = delete;
    KeepFloatingPointEnvironment &operator=(const KeepFloatingPointEnvironment &) = delete;

private:
    fenv_t saved_;
};

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

// ngspice reads and prints numbers with the C library: under a locale whose decimal mark is a comma it would
// print "1,2e-03", which no measurement reads. Its calls on this thread see the C locale; other threads keep theirs.
class CNumbersOnThisThread
{
public:
    CNumbersOnThisThread() : previous_(uselocale(CLocale())) {}
    ~CNumbersOnThisThread() { uselocale(previous_); }
    CNumbersOnThisThread(const CNumbersOnThisThread &) = delete;
    CNumbersOnThisThread &operator=(const CNumbersOnThisThread &) = delete;

private:
    locale_t previous_;
};

// ngspice's entry points, found in the library loaded at the first simulation, so that start-up never pays
// for loading it.
struct Library
{
    void *handle = nullptr;
    decltype(&ngSpice_Init) init = nullptr;
    decltype(&ngSpice_Command) command = nullptr;
    decltype(&ngSpice_Circ) circuit = nullptr;
    decltype(&ngGet_Vec_Info) vector = nullptr;
    decltype(&ngSpice_CurPlot) currentPlot = nullptr;
    decltype(&ngSpice_running) running = nullptr;
};

// The shared state of ngspice's callbacks, which arrive on its threads.
struct Session
{
    std::timed_mutex runMutex; // one run at a time; `library` belongs to its holder
    Library library;
    std::atomic_bool exitRequested = false;
    std::atomic<std::chrono::milliseconds::rep> timeLimit = std::chrono::milliseconds(1min).count();

    std::mutex mutex;
    std::condition_variable changed;
    int runsStarted = 0, runsEnded = 0;
    QStringList stdoutLines, stderrLines;
    std::function<void(int)> progress;
};

Session &TheSession()
{
    static Session session;
    return session;
}

int OnOutput(char *text, int, void *)
{
    Session &session = TheSession();
    const QString line = QString::fromLocal8Bit(text);
    std::lock_guard lock(session.mutex);
    if (line.startsWith(QLatin1StringView("stderr ")))
        session.stderrLines << line.mid(7);
    else if (line.startsWith(QLatin1StringView("stdout ")))
        session.stdoutLines << line.mid(7);
    else
        session.stdoutLines << line;
    return 0;
}

// ngspice's status reads "tran: 42.7%" while it runs.
int OnStatus(char *text, int, void *)
{
    Session &session = TheSession();
    const QString status = QString::fromLatin1(text);
    const qsizetype colon = status.lastIndexOf(u':'), percentSign = status.lastIndexOf(u'%');
    bool isNumber = false;
    const double percent = status.mid(colon + 1, percentSign - colon - 1).trimmed().toDouble(&isNumber);
    if (colon < 0 || percentSign < colon || !isNumber)
        return 0;
    std::function<void(int)> progress;
    {
        std::lock_guard lock(session.mutex);
        progress = session.progress;
    }
    if (progress)
        progress(int(percent));
    return 0;
}

int OnExit(int, NG_BOOL, NG_BOOL, int, void *)
{
    // ngspice cannot go on: the library is loaded afresh for the next run.
    TheSession().exitRequested = true;
    return 0;
}

int OnBackgroundRunning(NG_BOOL notRunning, int, void *)
{
    // The first call comes on ngspice's own thread of the run, before it computes or prints anything.
    if (!notRunning)
        uselocale(CLocale());
    Session &session = TheSession();
    {
        std::lock_guard lock(session.mutex);
        ++(notRunning ? session.runsEnded : session.runsStarted);
    }
    session.changed.notify_all();
    return 0;
}

template <class Function>
bool Resolve(void *handle, const char *name, Function *function)
{
    *function = reinterpret_cast<Function>(dlsym(handle, name));
    return *function != nullptr;
}

// At initialisation ngspice runs `spinit` from SPICE_SCRIPTS (else from its installed folder), then `.spiceinit`
// from the working folder, else from the user's home: any commands at all, and settings that change results.
// A run depends on its netlist alone, so ngspice starts on a thread of its own whose working folder is a
// private one with an empty `.spiceinit` (found first: the home's is never read) and an empty `spinit`, the one
// SPICE_SCRIPTS names for that moment. The working folder changes for that thread alone where the system lets
// a thread have its own; otherwise it is put back at once.
Outcome<> InitialiseWithoutStartupScripts(const Library &library)
{
    const auto notPrepared = [](const QString &cause) {
        return Failure{
            QCoreApplication::translate("Simulation", "Не удалось подготовить запуск ngspice: %1").arg(cause)};
    };
    QTemporaryDir folder;
    if (!folder.isValid())
        return notPrepared(folder.errorString());
    for (const char *script : {"spinit", ".spiceinit"})
        if (const Outcome<> saved = SaveFile(folder.filePath(QLatin1StringView(script)), {}); !saved)
            return notPrepared(saved.Message());
    const QByteArray path = QFile::encodeName(folder.path());
    const bool hadScripts = qEnvironmentVariableIsSet("SPICE_SCRIPTS");
    const QByteArray scripts = qgetenv("SPICE_SCRIPTS");
    qputenv("SPICE_SCRIPTS", path);
    // ngspice reads it at every measurement: the results are printed with its default precision.
    qunsetenv("NGSPICE_MEAS_PRECISION");
    int startError = 0;
    std::thread([&] {
        unshare(CLONE_FS);
        const int previous = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (previous < 0 || chdir(path.constData()) != 0) {
            startError = errno;
        } else {
            CNumbersOnThisThread numbers;
            library.init(OnOutput, OnStatus, OnExit, nullptr, nullptr, OnBackgroundRunning, nullptr);
            if (fchdir(previous) != 0)
                startError = errno;
        }
        if (previous >= 0)
            close(previous);
    }).join();
    if (hadScripts)
        qputenv("SPICE_SCRIPTS", scripts);
    else
        qunsetenv("SPICE_SCRIPTS");
    if (startError)
        return notPrepared(SystemErrorText(startError));
    return {};
}

Outcome<> Load(Library *library)
{
    if (library->handle)
        return {};
    void *handle = dlopen("libngspice.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return Failure{QCoreApplication::translate("Simulation", "Не найдена библиотека ngspice: %1")
                           .arg(QString::fromLocal8Bit(dlerror()))};
    Library loaded{handle};
    if (!Resolve(handle, "ngSpice_Init", &loaded.init) || !Resolve(handle, "ngSpice_Command", &loaded.command)
        || !Resolve(handle, "ngSpice_Circ", &loaded.circuit) || !Resolve(handle, "ngGet_Vec_Info", &loaded.vector)
        || !Resolve(handle, "ngSpice_CurPlot", &loaded.currentPlot)
        || !Resolve(handle, "ngSpice_running", &loaded.running)) {
        dlclose(handle);
        return Failure{QCoreApplication::translate("Simulation", "Библиотека ngspice неполна")};
    }
    if (Outcome<> initialised = InitialiseWithoutStartupScripts(loaded); !initialised) {
        dlclose(handle);
        return initialised;
    }
    *library = loaded;
    return {};
}

void Command(const Library &library, const char *command)
{
    QByteArray text(command);
    library.command(text.data());
}

void Unload(Session *session)
{
    dlclose(session->library.handle);
    session->library = {};
    session->exitRequested = false;
}

std::vector<double> VectorData(const Library &library, const QString &name)
{
    QByteArray text = name.toLatin1();
    const pvector_info info = library.vector(text.data());
    if (!info || !info->v_realdata)
        return {};
    return {info->v_realdata, info->v_realdata + info->v_length};
}

} // namespace

std::map<QString, double> ParseMeasurements(const QStringList &lines, const QStringList &names)
{
    static const QRegularExpression result(QStringLiteral("^\\s*(\\w+)\\s+=\\s+(\\S+)"));
    std::map<QString, double> measured;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = result.match(line);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1).toLower();
        bool isNumber = false;
        const double value = match.captured(2).toDouble(&isNumber);
        if (isNumber && names.contains(name, Qt::CaseInsensitive))
            measured[name] = value;
    }
    return measured;
}

std::chrono::milliseconds SimulationTimeLimit()
{
    return std::chrono::milliseconds(TheSession().timeLimit.load());
}

void SetSimulationTimeLimit(std::chrono::milliseconds limit)
{
    TheSession().timeLimit = limit.count();
}

namespace {

bool CancelRequested(const RunControl &control)
{
    return control.cancel && control.cancel->load();
}

QString Duration(std::chrono::milliseconds duration)
{
    return duration.count() % 1000 ? QCoreApplication::translate("Simulation", "%1 мс").arg(duration.count())
                                   : QCoreApplication::translate("Simulation", "%1 с").arg(duration.count() / 1000);
}

// Why a run was stopped from outside, if it was.
enum class Stop { None, Cancelled, TimedOut };

// Runs the loaded circuit in the background and waits for its end: cancelled, or past the time limit, it is halted.
Stop RunInBackground(Session &session, const RunControl &control)
{
    const Library &library = session.library;
    std::unique_lock lock(session.mutex);
    const int startedBefore = session.runsStarted, endedBefore = session.runsEnded;
    lock.unlock();
    Command(library, "bg_run");
    lock.lock();
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + SimulationTimeLimit();
    Stop stop = Stop::None;
    // ngspice's thread says when it starts and when it ends; a thread that never started ends the wait too.
    while (session.runsEnded == endedBefore
           && (session.runsStarted != startedBefore || std::chrono::steady_clock::now() - start < 2s
               || library.running())) {
        if (stop == Stop::None) {
            stop = CancelRequested(control)                    ? Stop::Cancelled
                : std::chrono::steady_clock::now() >= deadline ? Stop::TimedOut
                                                               : Stop::None;
            if (stop != Stop::None) {
                lock.unlock();
                Command(library, "bg_halt");
                lock.lock();
            }
        }
        session.changed.wait_for(lock, 20ms, [&] { return session.runsEnded != endedBefore; });
    }
    return stop;
}

} // namespace

SimulationOutcome RunSimulation(const QString &netlist, const QStringList &measureNames, const QStringList &waveforms,
                                const RunControl &control)
{
    KeepFloatingPointEnvironment keep;
    CNumbersOnThisThread numbers;
    Session &session = TheSession();
    SimulationOutcome outcome;
    std::unique_lock runLock(session.runMutex, std::try_to_lock);
    if (!runLock.owns_lock() && control.waiting)
        control.waiting(true);
    while (!runLock.owns_lock() && !CancelRequested(control))
        runLock.try_lock_for(20ms);
    if (!runLock.owns_lock()) {
        outcome.end = Cancelled{};
        return outcome;
    }
    if (control.waiting)
        control.waiting(false);
    outcome.end = Load(&session.library);
    if (!outcome.end)
        return outcome;
    const Library &library = session.library;
    {
        std::lock_guard lock(session.mutex);
        session.stdoutLines.clear();
        session.stderrLines.clear();
        session.progress = control.progress;
    }

    std::vector<QByteArray> lines;
    for (const QString &line : netlist.split(u'\n', Qt::SkipEmptyParts))
        lines.push_back(line.toUtf8());
    std::vector<char *> circuit;
    for (QByteArray &line : lines)
        circuit.push_back(line.data());
    circuit.push_back(nullptr);
    const bool loaded = library.circuit(circuit.data()) == 0 && !session.exitRequested;
    const Stop stop = loaded ? RunInBackground(session, control) : Stop::None;

    double reached = -1;
    if (loaded && !session.exitRequested) {
        outcome.time = VectorData(library, QStringLiteral("time"));
        if (!outcome.time.empty())
            reached = outcome.time.back();
        for (const QString &name : waveforms)
            outcome.waveforms[name] = VectorData(library, name);
    }
    QStringList stdoutLines, stderrLines;
    {
        std::lock_guard lock(session.mutex);
        stdoutLines = session.stdoutLines;
        stderrLines = session.stderrLines;
        session.progress = nullptr;
    }
    outcome.measured = ParseMeasurements(stdoutLines, measureNames);

    // The stop time is the argument of ".tran" that follows the step.
    static const QRegularExpression transient(QStringLiteral("^\\.tran\\s+\\S+\\s+(\\S+)"),
                                              QRegularExpression::MultilineOption);
    const double stopTime = transient.match(netlist).captured(1).toDouble();
    if (stop == Stop::Cancelled) {
        outcome.end = Cancelled{};
    } else if (stop == Stop::TimedOut) {
        outcome.end = Failure{QCoreApplication::translate("Simulation", "Моделирование прервано: оно длилось дольше %1")
                                  .arg(Duration(SimulationTimeLimit()))};
    } else if (reached < stopTime * (1 - 1e-9)) {
        QStringList messages;
        for (const QString &line : stderrLines)
            if (!line.startsWith(QLatin1StringView("Note:")) && !line.trimmed().isEmpty())
                messages << line.trimmed();
        outcome.end =
            Failure{messages.isEmpty() ? QCoreApplication::translate("Simulation", "ngspice не довёл расчёт до конца")
                                       : messages.join(u'\n')};
    }
    if (!outcome.end) {
        outcome.measured.clear();
        outcome.waveforms.clear();
        outcome.time.clear();
    }

    if (session.exitRequested) {
        Unload(&session);
    } else {
        Command(library, "remcirc");
        Command(library, "destroy all");
    }
    return outcome;
}
