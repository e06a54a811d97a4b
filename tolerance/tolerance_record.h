#pragma once

#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <vector>

struct Tolerances
{
    double resistor = 0.05;
    double capacitor = 0.10;
    double gainSpread = 3;
};

// Where the trigger stops working as one part moves with the others at their values, in the part's unit: NaN
// where it still works at a tenth (low) or ten times (high) the nominal value, or where a run failed.
struct Margin
{
    QString part, unit;
    double nominal = NAN, low = NAN, high = NAN;
    QString warning; // where the part's tolerance reaches past its margin, with the standard value that restores it
};

struct Sensitivity
{
    QString part;
    double separation = 0; // how far apart the part's mean deviations of failing and working runs are, in spreads
};

// The runs' output swings as bars: how many fell in each of equal bins from the least to the largest.
struct SwingHistogram
{
    double least = NAN, largest = NAN; // V; NaN where no run switched
    std::vector<int> counts;
};

// A result of «Запас и разброс» as its window shows it and the calculation file keeps it, with what it was computed
// from: it is current while the calculator's netlist and the window's settings are still these. Bounded whatever
// the number of runs: the swings as a histogram, the first failures alone.
struct ToleranceRecord
{
    QString netlist; // the SHA-256 of the netlist the parts were varied in, in hexadecimal
    int runs = 1;    // the runs asked for
    std::uint64_t seed = 0;
    Tolerances tolerances;

    bool nominalWorks = false, cancelled = false;
    int judged = 0, works = 0; // the Monte Carlo runs that gave a verdict, and those in which the trigger works
    double yield = NAN, low = NAN, high = NAN; // the share that works and its 95 % interval
    SwingHistogram swings;
    std::vector<Margin> margins;
    std::vector<Sensitivity> sensitivity; // most separating first
    int failed = 0;                       // runs that gave no verdict
    QStringList failures;                 // the first of them, each named with its cause
};
