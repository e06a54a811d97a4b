#pragma once

#include "outcome/outcome.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <vector>

// What one transient run gave: its measurements and the waveforms asked for, or ngspice's own message.
struct SimulationOutcome
{
    Outcome<> end; // done when the run reached its end; else ngspice's own message, or cancelled
    std::map<QString, double> measured;
    std::vector<double> time;
    std::map<QString, std::vector<double>> waveforms;
};

// How the caller of a run follows it and stops it.
struct RunControl
{
    std::function<void(int)> progress = {}; // 0..100, called from ngspice's thread
    // Called on the calling thread: true when the run has to wait for another one to end, false as its own begins.
    std::function<void(bool)> waiting = {};
    // Once set, the run stops, or stops waiting, within hundredths of a second.
    const std::atomic_bool *cancel = nullptr;
};

// Runs a netlist in ngspice's shared library, loaded at the first run with none of ngspice's start-up scripts
// (`spinit`, `.spiceinit`) and reading and printing numbers the C way whatever the locale. Blocks the calling
// thread until the run ends; ngspice itself runs on a thread of its own. One run at a time: a second caller
// waits, and can be cancelled while it does. A run longer than SimulationTimeLimit() is halted. The caller's
// floating-point environment is the same afterwards.
SimulationOutcome RunSimulation(const QString &netlist, const QStringList &measureNames, const QStringList &waveforms,
                                const RunControl &control = {});

// The longest a run may last once its turn has come (a minute unless set).
std::chrono::milliseconds SimulationTimeLimit();
void SetSimulationTimeLimit(std::chrono::milliseconds limit);

// The ".meas" results among ngspice's printed lines ("name = value ..."), for the names asked for.
std::map<QString, double> ParseMeasurements(const QStringList &lines, const QStringList &names);
