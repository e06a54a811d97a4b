#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <map>
#include <vector>

// What one transient run gave: its measurements and the waveforms asked for, or ngspice's own message.
struct SimulationOutcome
{
    QString error; // empty when the run reached its end
    std::map<QString, double> measured;
    std::vector<double> time;
    std::map<QString, std::vector<double>> waveforms;
};

// Runs a netlist in ngspice's shared library, loaded at the first run. Blocks the calling thread until the
// run ends; ngspice itself runs on a thread of its own. `progress` (0..100) is called from that thread;
// setting `*cancel` halts the run. The caller's floating-point environment is the same afterwards. One run
// at a time: a second caller waits.
SimulationOutcome RunSimulation(const QString &netlist, const QStringList &measureNames, const QStringList &waveforms,
                                const std::function<void(int)> &progress = {},
                                const std::atomic_bool *cancel = nullptr);

// The ".meas" results among ngspice's printed lines ("name = value ..."), for the names asked for.
std::map<QString, double> ParseMeasurements(const QStringList &lines, const QStringList &names);
