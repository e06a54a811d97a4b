#include "calculators/complementary/complementary_circuit.h"
#include "calculators/complementary/form5.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Four input pulses, opening and closing the trigger in turn.
constexpr int kPulses = 4;

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

template <>
Circuit WindowCircuit<TForm5>::Build(CircuitInputs &in, const TForm5 &form)
{
    ComplementaryPair pair;
    ReadComplementaryPair(in, form.ui, &pair);
    pair.t1.reverseCollectorCurrent = 1e-6 * in.Box(form.ui.Edit11, QStringLiteral("обратный ток коллектора Т1"));
    pair.t2.reverseCollectorCurrent = 1e-6 * in.Box(form.ui.Edit25, QStringLiteral("обратный ток коллектора Т2"));
    pair.t1.designCollectorCurrent = 1e-3 * in.Box(form.ui.Edit13, QStringLiteral("I'к1"));
    pair.t2.designCollectorCurrent = 1e-3 * in.Box(form.ui.Edit12, QStringLiteral("I'к2"));
    pair.t1.collectorSaturationVoltage = in.Box(form.ui.Edit14, QStringLiteral("Uкэ.нас Т1"));
    pair.t2.collectorSaturationVoltage = in.Box(form.ui.Edit15, QStringLiteral("Uкэ.нас Т2"));
    pair.t1.baseSaturationVoltage = in.Box(form.ui.Edit16, QStringLiteral("Uбэ.нас Т1"));
    pair.t2.baseSaturationVoltage = in.Box(form.ui.Edit17, QStringLiteral("Uбэ.нас Т2"));
    pair.ek1 = in.Box(form.ui.Edit18, QStringLiteral("|Ек1|"));
    pair.ek2 = in.Box(form.ui.Edit19, QStringLiteral("Ек2"));
    const double ue = in.Box(form.ui.Edit20, QStringLiteral("U'э"));
    const double re = in.Box(form.ui.Edit21, QStringLiteral("Rэ"));
    const double rk2 = in.Box(form.ui.Edit22, QStringLiteral("Rк2"));
    const double rb2 = in.Box(form.ui.Edit23, QStringLiteral("Rб2"));
    const double rk1 = in.Box(form.ui.Edit24, QStringLiteral("Rк1"));
    const double r = in.Box(form.ui.Edit26, QStringLiteral("R"));
    const double c = 1e-12 * in.Box(form.ui.Edit27, QStringLiteral("С"));
    const double recovery = 1e-6 * in.Calculated(form.Tv, QStringLiteral("«Шаг 11»"));
    const double ib1 = 1e-3 * in.Calculated(form.Ib1, QStringLiteral("«Шаг 4»"));
    // R1 has no box: in the open state it carries T1's base current I'б1 from U'э, less T1's base voltage, and it
    // feeds T1's base, so a fifth more than I'б1.
    const double r1 = in.Parameter({QStringLiteral("R1"), QStringLiteral("R1"), QStringLiteral("Ом"), 1, NAN,
                                    DefaultPart::Below((ue - pair.t1.baseSaturationVoltage) / ib1, 1.2),
                                    Tr("(U'э − Uбэ.нас1) / I'б1 — граница; ") + DefaultPart::BelowRule(1.2)});
    // Input pulses of twice U'э, which both opening and closing T1 must overcome. Each lasts two recovery times,
    // so that С has recharged, and returns over half of one: a sharper return would close the trigger the pulse
    // has just opened. The next comes thirty recovery times later.
    const double amplitude =
        in.Parameter({QStringLiteral("PulseAmplitude"), Tr("Амплитуда входных импульсов"), QStringLiteral("В"), 1, NAN,
                      2 * ue, Tr("Удвоенное напряжение U'э: его преодолевают и открывание, и закрывание Т1")});
    const double width =
        in.Parameter({QStringLiteral("PulseWidth"), Tr("Длительность входных импульсов"), QStringLiteral("мкс"), 1e6,
                      NAN, 2 * recovery, Tr("Два времени восстановления tв: С успевает перезарядиться")});
    const double edge = recovery / 2, interval = 30 * recovery;

    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(QStringLiteral("Emitter-coupled trigger on a p-n-p and an n-p-n transistor"));
    circuit.corners = ComplementaryCorners(pair);
    const double stop = (kPulses + 1) * interval;
    netlist.Transient(recovery / 100, stop, recovery / 10);
    std::vector<double> inputs, samples{interval - interval / 10};
    for (int k = 1; k <= kPulses; ++k) {
        inputs.push_back(k * interval);
        samples.push_back((k + 1) * interval - interval / 10);
    }
    TriggerObserver observer(inputs, samples, TriggerObserver::InputPulses());
    observer.InState(Tr("Напряжение U'э открытых транзисторов"), QStringLiteral("В"), 1, QStringLiteral("v(e)"),
                     in.Compared(form.Ue));
    ObserveComplementaryStates(
        &observer, pair,
        {form.Uout1, form.Uout2, form.Ik1, form.Ib1, form.Ik2, form.Ib2, form.Pt1, form.Pt2, form.POpen, form.PClosed});

    std::vector<std::pair<double, double>> corners{{0, 0}};
    for (int k = 1; k <= kPulses; ++k) {
        // Odd pulses negative, opening T1; even ones positive, closing it.
        // A pulse typed shorter than the edge rises over half its width: the corners' times must grow.
        const double volts = k % 2 ? -amplitude : amplitude, start = k * interval, rise = std::min(edge, width / 2);
        corners.insert(corners.end(),
                       {{start, 0}, {start + rise, volts}, {start + width, volts}, {start + width + edge, 0}});
    }
    for (const Corner &corner : circuit.corners) {
        netlist.BeginCorner(corner.suffix);
        AddComplementaryTransistors(&netlist, pair, corner, QStringLiteral("e"), QStringLiteral("e"));
        netlist.PiecewiseLinearSource(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"), corners);
        netlist.Resistor(QStringLiteral("R1"), QStringLiteral("in"), QStringLiteral("b1"), r1);
        netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("c1"), QStringLiteral("vee1"), rk1);
        netlist.Resistor(QStringLiteral("R"), QStringLiteral("c1"), QStringLiteral("b2"), r);
        netlist.Capacitor(QStringLiteral("C"), QStringLiteral("c1"), QStringLiteral("b2"), c);
        netlist.Resistor(QStringLiteral("RB2"), QStringLiteral("b2"), QStringLiteral("vcc2"), rb2);
        netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("c2"), QStringLiteral("vcc2"), rk2);
        netlist.Resistor(QStringLiteral("RE"), QStringLiteral("e"), QStringLiteral("0"), re);
        // The initial state draws nothing: both transistors closed.
        netlist.InitialCondition(QStringLiteral("c1"), -pair.ek1);
        netlist.InitialCondition(QStringLiteral("c2"), pair.ek2);
        netlist.InitialCondition(QStringLiteral("e"), 0);
        observer.Write(&netlist);
    }
    circuit.traces = {{QStringLiteral("v(in)"), QStringLiteral("вход")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2 (выход)")}};
    observer.JudgeRunsOf(&circuit);
    return circuit;
}

namespace {

const bool registered = RegisterCircuit<TForm5>(QStringLiteral("Form5"));

} // namespace
