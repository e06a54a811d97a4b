#include "calculators/same_type/form4.h"
#include "simulation/circuit.h"
#include "simulation/device_models.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Four input periods after the first, each sampled at both peaks of the input.
constexpr int kPeriods = 4;
constexpr double kPi = 3.14159265358979323846;
// The window's data are taken at 20 °C.
constexpr double kDataTemperature = 20;

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

template <>
Circuit WindowCircuit<TForm4>::Build(CircuitInputs &in, const TForm4 &form)
{
    const double frequency = 1e3 * in.Box(form.ui.Edit2, QStringLiteral("Fвх"));
    const double temperature = in.Box(form.ui.Edit3, QStringLiteral("tокр"));
    const double emitterVoltage = in.Box(form.ui.Edit4, QStringLiteral("напряжение на резисторе R1"));
    const double supply = in.Box(form.ui.Edit5, QStringLiteral("Ек"));
    TransistorData data;
    data.boundaryFrequency = 1e6 * in.Box(form.ui.Edit6, QStringLiteral("граничная частота"));
    data.currentGain = in.Box(form.ui.Edit7, QStringLiteral("статический коэффициент передачи тока"));
    const double reverseCurrent = 1e-6 * in.Box(form.ui.Edit9, QStringLiteral("обратный ток коллектора"));
    const double rk2 = in.Box(form.ui.Edit11, QStringLiteral("Rк2"));
    const double rk1 = in.Box(form.ui.Edit12, QStringLiteral("Rк1"));
    const double r1 = in.Box(form.ui.Edit13, QStringLiteral("R1"));
    const double rb = in.Box(form.ui.Edit14, QStringLiteral("Rб"));
    const double rkb = in.Box(form.ui.Edit15, QStringLiteral("Rк.б"));
    const double r2 = in.Box(form.ui.Edit16, QStringLiteral("R2"));
    // R3 feeds T1's base from the supply: below its bound with a margin. С below the smaller of its two bounds.
    const double r3 = in.Parameter({QStringLiteral("R3"), QStringLiteral("R3"), QStringLiteral("Ом"), 1, NAN,
                                    DefaultPart::Below(in.Calculated(form.R3Max, QStringLiteral("«Шаг 9»")), 1.2),
                                    DefaultPart::BelowRule(1.2)});
    const double speedUp =
        in.Parameter({QStringLiteral("C"), QStringLiteral("С"), QStringLiteral("пФ"), 1e12, NAN,
                      DefaultPart::Below(std::min(in.Calculated(form.CMax1, QStringLiteral("«Шаг 10»")),
                                                  in.Calculated(form.CMax2, QStringLiteral("«Шаг 10»")))),
                      DefaultPart::BelowRule()});
    // Ср passes the input: its reactance at Fвх a tenth of the divider's resistance, or less.
    const double divider = r2 * r3 / (r2 + r3);
    const double coupling = in.Parameter(
        {QStringLiteral("Cp"), QStringLiteral("Ср"), QStringLiteral("пФ"), 1e12, NAN,
         DefaultPart::Above(10 / (2 * kPi * frequency * divider)),
         Tr("Реактивное сопротивление на частоте Fвх — не более десятой доли R2‖R3: наименьшее значение ряда E24, "
            "не меньшее 10 / (2π·Fвх·R2‖R3)")});
    // The voltage across R1 sets both thresholds about the divider's point: twice it crosses both with a margin.
    const double inputAmplitude =
        in.Parameter({QStringLiteral("InputAmplitude"), Tr("Амплитуда входного напряжения"), QStringLiteral("В"), 1,
                      NAN, 2 * emitterVoltage, Tr("Удвоенное напряжение на резисторе R1")});

    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(QStringLiteral("Asymmetric p-n-p trigger (emitter-coupled)"));
    circuit.corners = CornersBetween(kDataTemperature, temperature);
    const double period = 1 / frequency;
    const double stop = (kPeriods + 1) * period;
    netlist.Transient(period / 2000, stop, period / 200);

    // Each half period of the input is an input that switches the trigger; the state is sampled at the peaks.
    std::vector<double> inputs, samples{0.75 * period};
    for (int k = 0; k < 2 * kPeriods; ++k) {
        inputs.push_back(period + k * period / 2);
        samples.push_back(inputs.back() + period / 4);
    }
    TriggerObserver observer(inputs, samples,
                             {Tr("Триггер переключается в каждом из %2 периодов входного напряжения"),
                              Tr("Триггер переключается в %1 из %2 периодов входного напряжения: пропущены %3"),
                              Tr("Триггер не переключается ни в одном из %2 периодов входного напряжения"), 2});
    // T2 opening lifts its collector from -Ек to where Rк2 and R1 divide the supply; switched: half that way.
    const double closed = -supply, open = -supply * r1 / (r1 + rk2);
    observer.State(QStringLiteral("c2"), (open - closed) / 2);
    observer.Amplitude(Tr("Амплитуда выходных импульсов"), QStringLiteral("c2"), in.Compared(form.UvyhAmp));
    observer.Edge(Tr("Длительность фронта выходного импульса (открывание Т2), 0,1…0,9"), QStringLiteral("c2"), closed,
                  open, in.Compared(form.Tf));
    observer.Edge(Tr("Длительность среза выходного импульса (закрывание Т2), 0,1…0,9"), QStringLiteral("c2"), open,
                  closed, in.Compared(form.Tf));
    observer.InState(Tr("Ток коллектора открытого Т2"), QStringLiteral("мА"), 1e3, QStringLiteral("@q2[ic]"), NAN);
    observer.Supply(QStringLiteral("VEK"), QStringLiteral("Ек"), supply);
    const double allowed = 1e-3 * in.Compared(form.IkDop), collectorBase = in.Compared(form.UkbMin);
    observer.Ratings(QStringLiteral("Т1"), QStringLiteral("q1"), allowed, collectorBase, NAN);
    observer.Ratings(QStringLiteral("Т2"), QStringLiteral("q2"), allowed, collectorBase, NAN);

    for (const Corner &corner : circuit.corners) {
        netlist.BeginCorner(corner.suffix);
        netlist.Comment(CornerComment(corner));
        data.reverseCollectorCurrent = ReverseCurrentAt(reverseCurrent, kDataTemperature, corner.temperature);
        netlist.DcSource(QStringLiteral("VEK"), QStringLiteral("0"), QStringLiteral("vee"), supply);
        netlist.Resistor(QStringLiteral("R3"), QStringLiteral("vee"), QStringLiteral("b1"), r3);
        netlist.Resistor(QStringLiteral("R2"), QStringLiteral("b1"), QStringLiteral("0"), r2);
        netlist.SineSource(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"), inputAmplitude, frequency);
        netlist.Capacitor(QStringLiteral("CP"), QStringLiteral("in"), QStringLiteral("b1"), coupling);
        netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("vee"), QStringLiteral("c1"), rk1);
        netlist.Resistor(QStringLiteral("RKB"), QStringLiteral("c1"), QStringLiteral("b2"), rkb);
        netlist.Capacitor(QStringLiteral("C"), QStringLiteral("c1"), QStringLiteral("b2"), speedUp);
        netlist.Resistor(QStringLiteral("RB"), QStringLiteral("b2"), QStringLiteral("0"), rb);
        netlist.Resistor(QStringLiteral("R1"), QStringLiteral("e"), QStringLiteral("0"), r1);
        AddTransistor(&netlist, QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), QStringLiteral("e"),
                      QStringLiteral("QT"), data, corner.temperature);
        AddTransistor(&netlist, QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), QStringLiteral("e"),
                      QStringLiteral("QT"), data, corner.temperature);
        netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("vee"), QStringLiteral("c2"), rk2);
        observer.Write(&netlist);
    }

    circuit.traces = {{QStringLiteral("v(in)"), QStringLiteral("uвх")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2 (uвых)")}};
    observer.JudgeRunsOf(&circuit);
    return circuit;
}

namespace {

const bool registered = RegisterCircuit<TForm4>(QStringLiteral("Form4"));

} // namespace
