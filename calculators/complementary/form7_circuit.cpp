#include "calculators/complementary/complementary_circuit.h"

#include <QCoreApplication>

namespace {

// Four pulses into the bases, into T2's to open the trigger and into T1's to close it, each after the state
// before it has held for a whole interval.
constexpr int kPulses = 4;
// Without capacitors or transit times the circuit has no time of its own: a pulse of a microsecond in every
// ten is short against the interval and long against the transistors' edges.
constexpr double kInterval = 10e-6, kWidth = 1e-6, kEdge = 10e-9;

Circuit Form7Circuit(CircuitInputs &in)
{
    ComplementaryPair pair;
    pair.temperature = in.Box("Edit4", QStringLiteral("tmax"));
    pair.t1.currentGain = in.Box("Edit7", QStringLiteral("β1 при tmin"));
    pair.t2.currentGain = in.Box("Edit9", QStringLiteral("β2 при tmin"));
    pair.ek1 = in.Box("Edit11", QStringLiteral("|Ек1|"));
    pair.ek2 = in.Box("Edit12", QStringLiteral("Ек2"));
    pair.t1.reverseCollectorCurrent = 1e-6 * in.Box("Edit13", QStringLiteral("обратный ток коллектора Т1"));
    pair.t2.reverseCollectorCurrent = 1e-6 * in.Box("Edit14", QStringLiteral("обратный ток коллектора Т2"));
    pair.t1.designCollectorCurrent = 1e-3 * in.Box("Edit15", QStringLiteral("I'к1"));
    pair.t2.designCollectorCurrent = 1e-3 * in.Box("Edit16", QStringLiteral("I'к2"));
    pair.t1.collectorSaturationVoltage = in.Box("Edit17", QStringLiteral("Uкэ.нас Т1"));
    pair.t2.collectorSaturationVoltage = in.Box("Edit18", QStringLiteral("Uкэ.нас Т2"));
    pair.t1.baseSaturationVoltage = in.Box("Edit19", QStringLiteral("Uбэ.нас Т1"));
    pair.t2.baseSaturationVoltage = in.Box("Edit20", QStringLiteral("Uбэ.нас Т2"));
    const double rb1 = in.Box("Edit21", QStringLiteral("Rб1"));
    const double rb2 = in.Box("Edit22", QStringLiteral("Rб2"));
    const double rk1 = in.Box("Edit23", QStringLiteral("Rк1"));
    const double rk2 = in.Box("Edit24", QStringLiteral("Rк2"));
    const double r1 = in.Box("Edit29", QStringLiteral("R1"));
    const double r2 = in.Box("Edit30", QStringLiteral("R2"));

    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(QStringLiteral("Collector-base coupled trigger on a p-n-p and an n-p-n transistor"));
    AddComplementarySupplies(&netlist, pair);
    netlist.Transistor(QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), QStringLiteral("0"),
                       QStringLiteral("QP"));
    netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("c1"), QStringLiteral("vee1"), rk1);
    netlist.Resistor(QStringLiteral("RB1"), QStringLiteral("b1"), QStringLiteral("vee1"), rb1);
    netlist.Transistor(QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), QStringLiteral("0"),
                       QStringLiteral("QN"));
    netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("c2"), QStringLiteral("vcc2"), rk2);
    netlist.Resistor(QStringLiteral("RB2"), QStringLiteral("b2"), QStringLiteral("vcc2"), rb2);
    netlist.Resistor(QStringLiteral("R1"), QStringLiteral("c1"), QStringLiteral("b2"), r1);
    netlist.Resistor(QStringLiteral("R2"), QStringLiteral("c2"), QStringLiteral("b1"), r2);
    // A pulse of twice the current either base resistor can carry from its supply overrides whatever holds
    // the base: into T2's base it opens T2, into T1's base (out of it, for the p-n-p) it closes T1.
    const double kick = 2 * std::max(pair.ek1 / std::min(rb1, r2), pair.ek2 / std::min(rb2, r1));
    netlist.CurrentPulseSource(QStringLiteral("IOPEN"), QStringLiteral("b2"), kick, kInterval, kEdge, kWidth,
                               2 * kInterval);
    netlist.CurrentPulseSource(QStringLiteral("ICLOSE"), QStringLiteral("b1"), kick, 2 * kInterval, kEdge, kWidth,
                               2 * kInterval);
    // The run starts in the closed state: each collector at its supply, each base held off by the other.
    netlist.InitialCondition(QStringLiteral("c1"), -pair.ek1);
    netlist.InitialCondition(QStringLiteral("c2"), pair.ek2);
    const double stop = (kPulses + 1) * kInterval;
    netlist.Transient(kEdge, stop, kEdge * 10);

    std::vector<double> times;
    for (int k = 1; k <= kPulses + 1; ++k)
        times.push_back(k * kInterval - kInterval / 10);
    AddComplementaryStates(&circuit, in, pair, times,
                           QCoreApplication::translate("Simulation", "после %1-го импульса в базу"),
                           {QCoreApplication::translate("Simulation", "Два устойчивых состояния"),
                            QCoreApplication::translate("Simulation", "Нет двух устойчивых состояний")});
    circuit.traces = {{QStringLiteral("v(b1)"), QStringLiteral("База Т1")},
                      {QStringLiteral("v(b2)"), QStringLiteral("База Т2")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2")}};
    return circuit;
}

const bool registered = RegisterCircuit(QStringLiteral("Form7"), Form7Circuit);

} // namespace
