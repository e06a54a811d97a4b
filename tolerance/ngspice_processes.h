#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <map>
#include <vector>

// One netlist to run and the measurements to read from it.
struct NetlistRun
{
    QString netlist;
    QStringList measureNames;
};

// What one run gave: its measurements, or why it gave none (empty when it ran to its end).
struct NetlistRunOutcome
{
    QString failure;
    std::map<QString, double> measured;
};

// Runs the netlists in `ngspice` processes, up to `jobs` at once (ngspice's shared library is one instance in a
// process): each worker keeps one in pipe mode (`ngspice -p -n`) in a private working folder with no start-up script
// and the C locale, and feeds it one netlist after another. A run that ngspice does not carry to its stop time, or
// that prints no measurement, fails. Outcomes are in the order of the runs whatever finished first. Once `cancel` is
// set, every process is killed within a tenth of a second and the runs not done fail as cancelled. `finished` is
// called from the workers' threads after each run. The calling thread runs none and its floating-point environment
// is never touched.
std::vector<NetlistRunOutcome> RunNetlists(const std::vector<NetlistRun> &runs, int jobs,
                                           const std::atomic_bool *cancel = nullptr,
                                           const std::function<void()> &finished = {});

// One worker for each core.
int DefaultJobs();

// The program the runs start: "ngspice" unless set (tests name one that fails).
void SetNgspiceProgram(const QString &program);
