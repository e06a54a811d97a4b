#include "calculators/complementary/complementary_circuit.h"

#include <QCoreApplication>

namespace {

// Four input pulses, opening and closing the trigger in turn.
constexpr int kPulses = 4;

Circuit Form5Circuit(CircuitInputs &in)
{
    ComplementaryPair pair;
    pair.temperature = in.Box("Edit4", QStringLiteral("tmax"));
    pair.t1.currentGain = in.Box("Edit7", QStringLiteral("β1 при tmin"));
    pair.t2.currentGain = in.Box("Edit9", QStringLiteral("β2 при tmin"));
    pair.t1.reverseCollectorCurrent = 1e-6 * in.Box("Edit11", QStringLiteral("обратный ток коллектора Т1"));
    pair.t2.reverseCollectorCurrent = 1e-6 * in.Box("Edit25", QStringLiteral("обратный ток коллектора Т2"));
    pair.t1.designCollectorCurrent = 1e-3 * in.Box("Edit13", QStringLiteral("I'к1"));
    pair.t2.designCollectorCurrent = 1e-3 * in.Box("Edit12", QStringLiteral("I'к2"));
    pair.t1.collectorSaturationVoltage = in.Box("Edit14", QStringLiteral("Uкэ.нас Т1"));
    pair.t2.collectorSaturationVoltage = in.Box("Edit15", QStringLiteral("Uкэ.нас Т2"));
    pair.t1.baseSaturationVoltage = in.Box("Edit16", QStringLiteral("Uбэ.нас Т1"));
    pair.t2.baseSaturationVoltage = in.Box("Edit17", QStringLiteral("Uбэ.нас Т2"));
    pair.ek1 = in.Box("Edit18", QStringLiteral("|Ек1|"));
    pair.ek2 = in.Box("Edit19", QStringLiteral("Ек2"));
    const double ue = in.Box("Edit20", QStringLiteral("U'э"));
    const double re = in.Box("Edit21", QStringLiteral("Rэ"));
    const double rk2 = in.Box("Edit22", QStringLiteral("Rк2"));
    const double rb2 = in.Box("Edit23", QStringLiteral("Rб2"));
    const double rk1 = in.Box("Edit24", QStringLiteral("Rк1"));
    const double r = in.Box("Edit26", QStringLiteral("R"));
    const double c = 1e-12 * in.Box("Edit27", QStringLiteral("С"));
    const double recovery = 1e-6 * in.Calculated("Tv", QStringLiteral("«Шаг 11»"));
    const double ib1 = 1e-3 * in.Calculated("Ib1", QStringLiteral("«Шаг 4»"));
    // R1 has no box: in the open state it carries T1's base current I'б1 from U'э, less T1's base voltage.
    const double r1 = (ue - pair.t1.baseSaturationVoltage) / ib1;
    // Input pulses of twice U'э, which both opening and closing T1 must overcome. Each lasts two recovery times,
    // so that С has recharged, and returns over half of one: a sharper return would close the trigger the pulse
    // has just opened. The next comes thirty recovery times later.
    const double amplitude = 2 * ue, width = 2 * recovery, edge = recovery / 2, interval = 30 * recovery;

    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(QStringLiteral("Emitter-coupled trigger on a p-n-p and an n-p-n transistor"));
    AddComplementarySupplies(&netlist, pair);
    std::vector<std::pair<double, double>> corners{{0, 0}};
    for (int k = 1; k <= kPulses; ++k) {
        // Odd pulses negative, opening T1; even ones positive, closing it.
        const double volts = k % 2 ? -amplitude : amplitude, start = k * interval;
        corners.insert(corners.end(),
                       {{start, 0}, {start + edge, volts}, {start + width, volts}, {start + width + edge, 0}});
    }
    netlist.PiecewiseLinearSource(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"), corners);
    netlist.Resistor(QStringLiteral("R1"), QStringLiteral("in"), QStringLiteral("b1"), r1);
    netlist.Transistor(QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), QStringLiteral("e"),
                       QStringLiteral("QP"));
    netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("c1"), QStringLiteral("vee1"), rk1);
    netlist.Resistor(QStringLiteral("R"), QStringLiteral("c1"), QStringLiteral("b2"), r);
    netlist.Capacitor(QStringLiteral("C"), QStringLiteral("c1"), QStringLiteral("b2"), c);
    netlist.Resistor(QStringLiteral("RB2"), QStringLiteral("b2"), QStringLiteral("vcc2"), rb2);
    netlist.Transistor(QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), QStringLiteral("e"),
                       QStringLiteral("QN"));
    netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("c2"), QStringLiteral("vcc2"), rk2);
    netlist.Resistor(QStringLiteral("RE"), QStringLiteral("e"), QStringLiteral("0"), re);
    // The initial state draws nothing: both transistors closed.
    netlist.InitialCondition(QStringLiteral("c1"), -pair.ek1);
    netlist.InitialCondition(QStringLiteral("c2"), pair.ek2);
    netlist.InitialCondition(QStringLiteral("e"), 0);
    const double stop = (kPulses + 1) * interval;
    netlist.Transient(recovery / 100, stop, recovery / 10);

    std::vector<double> times;
    for (int k = 1; k <= kPulses + 1; ++k)
        times.push_back(k * interval - interval / 10);
    netlist.Measure(QStringLiteral("ue"), QStringLiteral("FIND v(e) AT=%1").arg(Netlist::Number(times[1])));
    circuit.figures.push_back({QStringLiteral("ue"),
                               QCoreApplication::translate("Simulation", "Напряжение U'э открытых транзисторов"),
                               QStringLiteral("В"), 1, in.Compared("Ue"), QStringLiteral("Ue")});
    AddComplementaryStates(
        &circuit, in, pair, times, QCoreApplication::translate("Simulation", "после %1-го входного импульса"),
        {QCoreApplication::translate("Simulation", "Триггер переключается при каждом входном импульсе"),
         QCoreApplication::translate("Simulation", "Триггер не переключается")});
    circuit.traces = {{QStringLiteral("v(in)"), QStringLiteral("вход")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2 (выход)")}};
    return circuit;
}

const bool registered = RegisterCircuit(QStringLiteral("Form5"), Form5Circuit);

} // namespace
