#pragma once

#include "simulation/circuit.h"
#include "simulation/device_models.h"

// The symmetric p-n-p trigger with collector counting triggering: the circuit of both symmetric windows,
// which differ only in how the closed transistor is held off.
struct SymmetricTrigger
{
    double supply;              // Ек, V
    double pulseAmplitude;      // Uки, V
    double pulseFrequency;      // Fп, Hz
    double pulseWidth;          // s
    double collectorResistor;   // Rк, ohm
    double couplingResistor;    // Rк.б, ohm
    double speedUpCapacitor;    // С, F
    double baseResistor;        // Rб, ohm
    double triggerNodeResistor; // R, ohm
    double couplingCapacitor;   // Ср, F
    double temperature;         // tокр, °C
    // The transistors: β (the least), Iкбо at 20 °C, fгр.
    TransistorData transistor;
    // Either an external bias source Еб on the base resistors, or the common emitter resistor Rэ bridged by Сэ.
    double biasSource = NAN;       // V
    double emitterResistor = NAN;  // ohm
    double emitterCapacitor = NAN; // F
    // The window's figures the measured ones are compared with (SI; NaN where not calculated).
    double outputAmplitude = NAN;
    double fallTime = NAN;
    double biasVoltage = NAN; // across Rэ
    // The limits: the collector current allowed at tокр and the collector-base voltage the transistor must stand.
    double allowedCollectorCurrent = NAN;
    double collectorBaseVoltage = NAN;
};

// What both windows calculate of Ср and of the trigger pulses, with the step that does: "«Шаг 11»".
struct CouplingRange
{
    const Quantity &low, &high; // F
    QString step;
};
struct PulseDuration
{
    const Quantity &duration; // µs
    QString step;
};

// The parameters both windows share: Ср within its range and the trigger pulses' width.
void SymmetricTriggerParameters(CircuitInputs &in, SymmetricTrigger *trigger, const CouplingRange &coupling,
                                const PulseDuration &pulse);

Circuit SymmetricTriggerCircuit(const QString &title, const SymmetricTrigger &trigger);
