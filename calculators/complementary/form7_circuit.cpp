#include "calculators/complementary/complementary_circuit.h"
#include "calculators/complementary/form7.h"

#include <QCoreApplication>

namespace {

// Four pulses into the bases, into T2's to open the trigger and into T1's to close it, each after the state
// before it has held for a whole interval.
constexpr int kPulses = 4;
// The window calculates no times: pulses a tenth of the interval long, edges short against them.
constexpr double kInterval = 10e-6, kEdge = 10e-9;

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

template <>
Circuit WindowCircuit<TForm7>::Build(CircuitInputs &in, const TForm7 &form)
{
    ComplementaryPair pair;
    ReadComplementaryPair(in, form.ui, &pair);
    pair.ek1 = in.Box(form.ui.Edit11, QStringLiteral("|Ек1|"));
    pair.ek2 = in.Box(form.ui.Edit12, QStringLiteral("Ек2"));
    pair.t1.reverseCollectorCurrent = 1e-6 * in.Box(form.ui.Edit13, QStringLiteral("обратный ток коллектора Т1"));
    pair.t2.reverseCollectorCurrent = 1e-6 * in.Box(form.ui.Edit14, QStringLiteral("обратный ток коллектора Т2"));
    pair.t1.designCollectorCurrent = 1e-3 * in.Box(form.ui.Edit15, QStringLiteral("I'к1"));
    pair.t2.designCollectorCurrent = 1e-3 * in.Box(form.ui.Edit16, QStringLiteral("I'к2"));
    pair.t1.collectorSaturationVoltage = in.Box(form.ui.Edit17, QStringLiteral("Uкэ.нас Т1"));
    pair.t2.collectorSaturationVoltage = in.Box(form.ui.Edit18, QStringLiteral("Uкэ.нас Т2"));
    pair.t1.baseSaturationVoltage = in.Box(form.ui.Edit19, QStringLiteral("Uбэ.нас Т1"));
    pair.t2.baseSaturationVoltage = in.Box(form.ui.Edit20, QStringLiteral("Uбэ.нас Т2"));
    const double rb1 = in.Box(form.ui.Edit21, QStringLiteral("Rб1"));
    const double rb2 = in.Box(form.ui.Edit22, QStringLiteral("Rб2"));
    const double rk1 = in.Box(form.ui.Edit23, QStringLiteral("Rк1"));
    const double rk2 = in.Box(form.ui.Edit24, QStringLiteral("Rк2"));
    const double r1 = in.Box(form.ui.Edit29, QStringLiteral("R1"));
    const double r2 = in.Box(form.ui.Edit30, QStringLiteral("R2"));
    // The speed-up capacitors across R1 and R2, which the method does not size: about a junction's own
    // capacitance sharpens the edges; a much larger one carries the end of a trigger pulse back to the other base
    // and undoes the switching it made.
    const double speedUpDefault = DefaultPart::Below(JunctionCapacitance(pair.t1));
    const QString speedUpRule = Tr("Наибольшее значение ряда E24, не превышающее ёмкость перехода транзистора "
                                   "(%1 пФ): больший конденсатор переносит конец запускающего импульса на другую "
                                   "базу и отменяет переключение")
                                    .arg(FigureText(1e12 * JunctionCapacitance(pair.t1)));
    const double c1 = in.Parameter(
        {QStringLiteral("C1"), QStringLiteral("C1"), QStringLiteral("пФ"), 1e12, NAN, speedUpDefault, speedUpRule});
    const double c2 = in.Parameter(
        {QStringLiteral("C2"), QStringLiteral("C2"), QStringLiteral("пФ"), 1e12, NAN, speedUpDefault, speedUpRule});
    // A pulse of twice the current either base resistor can carry from its supply overrides whatever holds
    // the base: into T2's base it opens T2, into T1's base (out of it, for the p-n-p) it closes T1.
    const double kick = in.Parameter(
        {QStringLiteral("PulseCurrent"), Tr("Ток запускающих импульсов"), QStringLiteral("мА"), 1e3, NAN,
         2 * std::max(pair.ek1 / std::min(rb1, r2), pair.ek2 / std::min(rb2, r1)),
         Tr("Удвоенный наибольший ток, который подают в базу Ек1 через Rб1 или R2 и Ек2 через Rб2 или R1")});
    const double width =
        in.Parameter({QStringLiteral("PulseWidth"), Tr("Длительность запускающих импульсов"), QStringLiteral("мкс"),
                      1e6, NAN, kInterval / 10, Tr("Десятая доля промежутка между импульсами, 10 мкс")});

    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(QStringLiteral("Collector-base coupled trigger on a p-n-p and an n-p-n transistor"));
    circuit.corners = ComplementaryCorners(pair);
    const double stop = (kPulses + 1) * kInterval;
    netlist.Transient(kEdge, stop, kEdge * 10);
    std::vector<double> inputs, samples{kInterval - kInterval / 10};
    for (int k = 1; k <= kPulses; ++k) {
        inputs.push_back(k * kInterval);
        samples.push_back((k + 1) * kInterval - kInterval / 10);
    }
    TriggerObserver observer(inputs, samples,
                             {Tr("Два устойчивых состояния; переключается каждым из %2 импульсов в базы"),
                              Tr("Переключается %1 из %2 импульсами в базы: пропущены %3"),
                              Tr("Нет двух устойчивых состояний: ни один из %2 импульсов в базы не переключил "
                                 "триггер")});
    ObserveComplementaryStates(
        &observer, pair,
        {form.Uout1, form.Uout2, form.Ik1, form.Ib1, form.Ik2, form.Ib2, form.Pt1, form.Pt2, form.POpen, form.PClosed});

    for (const Corner &corner : circuit.corners) {
        netlist.BeginCorner(corner.suffix);
        AddComplementaryTransistors(&netlist, pair, corner, QStringLiteral("0"), QStringLiteral("0"));
        netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("c1"), QStringLiteral("vee1"), rk1);
        netlist.Resistor(QStringLiteral("RB1"), QStringLiteral("b1"), QStringLiteral("vee1"), rb1);
        netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("c2"), QStringLiteral("vcc2"), rk2);
        netlist.Resistor(QStringLiteral("RB2"), QStringLiteral("b2"), QStringLiteral("vcc2"), rb2);
        netlist.Resistor(QStringLiteral("R1"), QStringLiteral("c1"), QStringLiteral("b2"), r1);
        netlist.Capacitor(QStringLiteral("C1"), QStringLiteral("c1"), QStringLiteral("b2"), c1);
        netlist.Resistor(QStringLiteral("R2"), QStringLiteral("c2"), QStringLiteral("b1"), r2);
        netlist.Capacitor(QStringLiteral("C2"), QStringLiteral("c2"), QStringLiteral("b1"), c2);
        netlist.CurrentPulseSource(QStringLiteral("IOPEN"), QStringLiteral("b2"), kick, kInterval, kEdge, width,
                                   2 * kInterval);
        netlist.CurrentPulseSource(QStringLiteral("ICLOSE"), QStringLiteral("b1"), kick, 2 * kInterval, kEdge, width,
                                   2 * kInterval);
        // The run starts in the closed state: each collector at its supply, each base held off by the other.
        netlist.InitialCondition(QStringLiteral("c1"), -pair.ek1);
        netlist.InitialCondition(QStringLiteral("c2"), pair.ek2);
        observer.Write(&netlist);
    }
    circuit.traces = {{QStringLiteral("v(b1)"), QStringLiteral("База Т1")},
                      {QStringLiteral("v(b2)"), QStringLiteral("База Т2")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2")}};
    observer.JudgeRunsOf(&circuit);
    return circuit;
}

namespace {

const bool registered = RegisterCircuit<TForm7>(QStringLiteral("Form7"));

} // namespace
