#pragma once

#include "simulation/circuit.h"
#include "tolerance/tolerance_record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// What spreads on a real board, and how.
enum class PartKind {
    Resistor,       // within ±resistor tolerance
    Capacitor,      // within ±capacitor tolerance
    Gain,           // β from the window's value (its least) up to gainSpread times it
    ReverseCurrent, // Iкбо from none up to the window's value (its most)
    Drive,          // a stimulus: its margin is found, it does not spread
};

// A part of the design as the analysis varies it: one value the user accepted or a simulation parameter, which
// may feed several boxes (the same transistor's β at both temperatures).
struct TolerancePart
{
    QString name;     // "Rк", "С", "β1", "Ср"
    QStringList keys; // the boxes' object names or the parameters' keys it scales
    PartKind kind = PartKind::Drive;
    double nominal = NAN; // in `unit`
    QString unit;         // "Ом", "пФ"; empty for β
    double toSI = 1;      // from `unit` to SI
    bool hasMargin = false;
};

struct ToleranceOptions
{
    int runs = 200;
    int jobs = 0; // 0: one worker for each core
    std::uint64_t seed = 1;
    Tolerances tolerances = {};
    bool findMargins = true;
    QStringList marginParts = {}; // whose margins to find; empty: every part that has one
};

struct ToleranceResult
{
    std::uint64_t seed = 0;
    bool nominalWorks = false;
    int runs = 0;                              // Monte Carlo runs judged
    int works = 0;                             // of them, those in which the trigger works
    double yield = NAN, low = NAN, high = NAN; // the share that works and its 95 % interval
    std::vector<double> swings;                // each judged run's output swing, V; NaN where it did not switch
    std::vector<Margin> margins;
    std::vector<Sensitivity> sensitivity; // most separating first
    QStringList failures;                 // runs that gave no verdict, each named with its cause
    bool cancelled = false;
};

struct ToleranceControl
{
    const std::atomic_bool *cancel = nullptr;
    std::function<void(int done, int total)> progress = {}; // from the workers' threads
    // Builds the window's circuit with the values scaled; the window's thread must do it (a window's values are
    // read there): a caller on another thread passes a maker that goes there.
    std::function<Outcome<>(const std::map<QString, double> &factors, Circuit *)> build = {};
};

// The parts of the window's design the analysis varies, in the order the circuit reads them; a failure when the
// circuit cannot be built or has none.
Outcome<std::vector<TolerancePart>> ToleranceParts(QWidget *window);

// The margins of every part that has one, then `runs` Monte Carlo runs, on `jobs` workers. A failure when the
// analysis cannot run at all (the circuit cannot be built, ngspice cannot run the nominal design). Cancelled
// before the nominal design was judged, it is cancelled; cancelled later, it is done with what it had.
Outcome<> AnalyseTolerance(QWidget *window, const std::vector<TolerancePart> &parts, const ToleranceOptions &options,
                           ToleranceResult *result, const ToleranceControl &control = {});

// The result as its window shows it and the calculation keeps it, with the options and the netlist it was computed
// from.
ToleranceRecord RecordOf(const ToleranceResult &result, const ToleranceOptions &options, const QString &netlist);

// What a record keeps of the netlist it was computed from: its SHA-256.
QString NetlistDigest(const QString &netlist);

// A part's value to four significant digits, never in exponent form: "47000", "44,93".
QString PartValueText(double value);

// The share's 95 % confidence interval (Wilson): [0, 1] for no runs.
std::pair<double, double> WilsonInterval(int successes, int runs);

// One JSON object: "seed", "runs", "works", "yield", "interval", "margins" (by part: "nominal", "low", "high" in SI),
// "warnings", "sensitivity" (ranked: "part", "separation") and "failures".
QByteArray ToleranceJson(const std::vector<TolerancePart> &parts, const ToleranceResult &result);
