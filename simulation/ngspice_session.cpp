#include "simulation/ngspice_session.h"

#include <ngspice/sharedspice.h>

#include <QCoreApplication>
#include <QRegularExpression>

#include <cfenv>
#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>

namespace {

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
    std::mutex runMutex; // one run at a time
    Library library;
    bool exitRequested = false;

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

QString Load(Library *library)
{
    if (library->handle)
        return {};
    void *handle = dlopen("libngspice.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return QCoreApplication::translate("Simulation", "Не найдена библиотека ngspice: %1")
            .arg(QString::fromLocal8Bit(dlerror()));
    Library loaded{handle};
    if (!Resolve(handle, "ngSpice_Init", &loaded.init) || !Resolve(handle, "ngSpice_Command", &loaded.command)
        || !Resolve(handle, "ngSpice_Circ", &loaded.circuit) || !Resolve(handle, "ngGet_Vec_Info", &loaded.vector)
        || !Resolve(handle, "ngSpice_CurPlot", &loaded.currentPlot)
        || !Resolve(handle, "ngSpice_running", &loaded.running)) {
        dlclose(handle);
        return QCoreApplication::translate("Simulation", "Библиотека ngspice неполна");
    }
    loaded.init(OnOutput, OnStatus, OnExit, nullptr, nullptr, OnBackgroundRunning, nullptr);
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

SimulationOutcome RunSimulation(const QString &netlist, const QStringList &measureNames, const QStringList &waveforms,
                                const std::function<void(int)> &progress, const std::atomic_bool *cancel)
{
    KeepFloatingPointEnvironment keep;
    Session &session = TheSession();
    std::lock_guard runLock(session.runMutex);
    SimulationOutcome outcome;
    outcome.error = Load(&session.library);
    if (!outcome.error.isEmpty())
        return outcome;
    const Library &library = session.library;
    {
        std::lock_guard lock(session.mutex);
        session.stdoutLines.clear();
        session.stderrLines.clear();
        session.progress = progress;
    }

    std::vector<QByteArray> lines;
    for (const QString &line : netlist.split(u'\n', Qt::SkipEmptyParts))
        lines.push_back(line.toLatin1());
    std::vector<char *> circuit;
    for (QByteArray &line : lines)
        circuit.push_back(line.data());
    circuit.push_back(nullptr);
    const bool loaded = library.circuit(circuit.data()) == 0 && !session.exitRequested;

    bool cancelled = false;
    if (loaded) {
        std::unique_lock lock(session.mutex);
        const int startedBefore = session.runsStarted, endedBefore = session.runsEnded;
        lock.unlock();
        Command(library, "bg_run");
        lock.lock();
        // ngspice's thread says when it starts and when it ends; a thread that never started ends the wait too.
        const auto start = std::chrono::steady_clock::now();
        while (session.runsEnded == endedBefore
               && (session.runsStarted != startedBefore
                   || std::chrono::steady_clock::now() - start < std::chrono::seconds(2) || library.running())) {
            if (!cancelled && cancel && *cancel) {
                cancelled = true;
                lock.unlock();
                Command(library, "bg_halt");
                lock.lock();
            }
            session.changed.wait_for(lock, std::chrono::milliseconds(20),
                                     [&] { return session.runsEnded != endedBefore; });
        }
    }

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
    const double stop = transient.match(netlist).captured(1).toDouble();
    if (cancelled) {
        outcome.error = QCoreApplication::translate("Simulation", "Моделирование отменено");
    } else if (reached < stop * (1 - 1e-9)) {
        QStringList messages;
        for (const QString &line : stderrLines)
            if (!line.startsWith(QLatin1StringView("Note:")) && !line.trimmed().isEmpty())
                messages << line.trimmed();
        outcome.error = messages.isEmpty()
            ? QCoreApplication::translate("Simulation", "ngspice не довёл расчёт до конца")
            : messages.join(u'\n');
    }
    if (!outcome.error.isEmpty()) {
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
