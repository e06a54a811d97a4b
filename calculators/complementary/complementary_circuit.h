#pragma once

#include "simulation/circuit.h"
#include "simulation/device_models.h"

// What both triggers on a p-n-p T1 from -Ек1 and an n-p-n T2 from +Ек2 share: their two states are both
// transistors closed and both open, sampled alternately; the figures of each state are measured against the
// window's open-state currents and the power drawn in each state.
struct ComplementaryPair
{
    double ek1 = NAN, ek2 = NAN; // magnitudes, V
    double temperature = NAN;    // °C
    TransistorData t1, t2;
};

// T1's and T2's models (QP, QN) and the supplies: node vee1 at -Ек1, vcc2 at +Ек2.
void AddComplementarySupplies(Netlist *netlist, const ComplementaryPair &pair);

// The states sampled at `times`, closed first; the figures and the verdict drawn from them.
void AddComplementaryStates(Circuit *circuit, CircuitInputs &in, const ComplementaryPair &pair,
                            const std::vector<double> &times, const QString &input, const VerdictTexts &texts);
