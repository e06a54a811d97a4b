#pragma once

#include <QString>

#include <cmath>

class Netlist;

// What a calculator window knows of a transistor at one temperature; NaN where the window does not ask for it.
struct TransistorData
{
    bool pnp = true;
    double currentGain = NAN;                // static current transfer ratio h21э (β) at that temperature
    double reverseCollectorCurrent = NAN;    // A, Iкбо at that temperature
    double boundaryFrequency = NAN;          // Hz, where the current gain falls to one
    double collectorSaturationVoltage = NAN; // V, at the design collector current
    double baseSaturationVoltage = NAN;      // V, at the design collector current
    double designCollectorCurrent = NAN;     // A, the open transistor's
};

// The reverse collector current doubles with every 10 degrees, as the windows reckon it.
double ReverseCurrentAt(double current, double fromCelsius, double toCelsius);

// The capacitance of each junction the model gives the transistor, F.
double JunctionCapacitance(const TransistorData &data);

// The ".model" line of a Gummel-Poon transistor built from the window's data, written for `celsius` as its nominal
// temperature: each transistor runs at that temperature, so ngspice scales nothing again.
QString TransistorModel(const QString &name, const TransistorData &data, double celsius);

// The transistor with its model `model` of `data` and its collector junction's leakage beside it.
void AddTransistor(Netlist *netlist, const QString &name, const QString &collector, const QString &base,
                   const QString &emitter, const QString &model, const TransistorData &data, double celsius);

// A small-signal silicon switching diode, as the trigger's steering diodes are.
QString SwitchingDiodeModel(const QString &name, double celsius);
