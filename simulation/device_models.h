#pragma once

#include <QString>

#include <cmath>

// What a calculator window knows of its transistors; NaN where the window does not ask for it.
struct TransistorData
{
    bool pnp = true;
    double currentGain = NAN;                // static current transfer ratio h21э
    double reverseCollectorCurrent = NAN;    // A, at `dataTemperature`
    double dataTemperature = 20;             // °C, where the data were taken
    double temperature = 20;                 // °C, where the circuit works
    double boundaryFrequency = NAN;          // Hz, where the current gain falls to one
    double collectorSaturationVoltage = NAN; // V, at the design collector current
    double baseSaturationVoltage = NAN;      // V, at the design collector current
    double designCollectorCurrent = NAN;     // A, the open transistor's
};

// The ".model" line of a Gummel-Poon transistor built from the window's data, at the working temperature:
// the netlist runs at that temperature as the models' nominal one, so ngspice scales nothing again.
QString TransistorModel(const QString &name, const TransistorData &data);

// A generic small-signal silicon switching diode.
QString SwitchingDiodeModel(const QString &name);
