#pragma once

#include "simulation/circuit.h"
#include "simulation/device_models.h"

// What both triggers on a p-n-p T1 from -Ек1 and an n-p-n T2 from +Ек2 share: their two states are both
// transistors closed and both open; the windows give β at tmin and at tmax and the reverse currents at tmax.
struct ComplementaryPair
{
    double ek1 = NAN, ek2 = NAN;   // magnitudes, V
    double tmin = NAN, tmax = NAN; // °C
    // The data at tmax; β at tmin beside them.
    TransistorData t1, t2;
    double coldGain1 = NAN, coldGain2 = NAN;
};

// Reads the transistors' data both windows ask for alike, in boxes of the same names.
template <class Ui>
void ReadComplementaryPair(CircuitInputs &in, const Ui &ui, ComplementaryPair *pair)
{
    pair->tmin = in.Box(ui.Edit3, QStringLiteral("tmin"));
    pair->tmax = in.Box(ui.Edit4, QStringLiteral("tmax"));
    pair->coldGain1 = in.Box(ui.Edit7, QStringLiteral("β1 при tmin"));
    pair->t1.currentGain = in.Box(ui.Edit8, QStringLiteral("β1 при tmax"));
    pair->coldGain2 = in.Box(ui.Edit9, QStringLiteral("β2 при tmin"));
    pair->t2.currentGain = in.Box(ui.Edit10, QStringLiteral("β2 при tmax"));
}

// The corners, tmin with β at tmin and tmax with β and the reverse currents at tmax.
std::vector<Corner> ComplementaryCorners(const ComplementaryPair &pair);

// For the netlist's current corner: T1 (Q1, p-n-p) and T2 (Q2, n-p-n) with their data there, and the supplies,
// node vee1 at -Ек1, vcc2 at +Ек2.
void AddComplementaryTransistors(Netlist *netlist, const ComplementaryPair &pair, const Corner &corner,
                                 const QString &emitter1, const QString &emitter2);

// What both windows calculate of the figures they compare.
struct ComplementaryFigures
{
    const Quantity &uout1, &uout2;           // each collector's swing, V
    const Quantity &ik1, &ib1, &ik2, &ib2;   // the open transistors' currents, mA
    const Quantity &pt1, &pt2;               // the power each dissipates open, mW
    const Quantity &powerOpen, &powerClosed; // drawn in each state
};

// The figures both windows compare: each collector's swing, the open transistors' currents and powers, the
// power drawn in each state; and the transistors' ratings.
void ObserveComplementaryStates(TriggerObserver *observer, const ComplementaryPair &pair,
                                const ComplementaryFigures &calculated);
