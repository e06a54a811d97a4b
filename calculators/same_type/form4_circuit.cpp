#include "simulation/circuit.h"
#include "simulation/device_models.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Four input periods after the first, each sampled at both peaks of the input.
constexpr int kPeriods = 4;
constexpr double kPi = 3.14159265358979323846;

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

Circuit Form4Circuit(CircuitInputs &in)
{
    const double frequency = 1e3 * in.Box("Edit2", QStringLiteral("Fвх"));
    TransistorData transistor;
    transistor.temperature = in.Box("Edit3", QStringLiteral("tокр"));
    const double emitterVoltage = in.Box("Edit4", QStringLiteral("напряжение на резисторе R1"));
    const double supply = in.Box("Edit5", QStringLiteral("Ек"));
    transistor.boundaryFrequency = 1e6 * in.Box("Edit6", QStringLiteral("граничная частота"));
    transistor.currentGain = in.Box("Edit7", QStringLiteral("статический коэффициент передачи тока"));
    transistor.reverseCollectorCurrent = 1e-6 * in.Box("Edit9", QStringLiteral("обратный ток коллектора"));
    const double rk2 = in.Box("Edit11", QStringLiteral("Rк2"));
    const double rk1 = in.Box("Edit12", QStringLiteral("Rк1"));
    const double r1 = in.Box("Edit13", QStringLiteral("R1"));
    const double rb = in.Box("Edit14", QStringLiteral("Rб"));
    const double rkb = in.Box("Edit15", QStringLiteral("Rк.б"));
    const double r2 = in.Box("Edit16", QStringLiteral("R2"));
    // R3 and С have no box: their bounds from the steps are taken, С the smaller of its two.
    const double r3 = in.Calculated("R3Max", QStringLiteral("«Шаг 9»"));
    const double speedUp = std::min(in.Calculated("CMax1", QStringLiteral("«Шаг 10»")),
                                    in.Calculated("CMax2", QStringLiteral("«Шаг 10»")));
    // Ср passes the input: its reactance a tenth of the divider's resistance.
    const double divider = r2 * r3 / (r2 + r3);
    const double coupling = 10 / (2 * kPi * frequency * divider);
    // The voltage across R1 sets both thresholds about the divider's point: an input of that amplitude crosses them.
    const double inputAmplitude = emitterVoltage;

    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(QStringLiteral("Asymmetric p-n-p trigger (emitter-coupled)"));
    netlist.Model(TransistorModel(QStringLiteral("QT"), transistor));
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
    netlist.Transistor(QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), QStringLiteral("e"),
                       QStringLiteral("QT"));
    netlist.Transistor(QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), QStringLiteral("e"),
                       QStringLiteral("QT"));
    netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("vee"), QStringLiteral("c2"), rk2);
    netlist.Temperature(transistor.temperature);
    const double period = 1 / frequency;
    const double stop = (kPeriods + 1) * period;
    netlist.Transient(period / 2000, stop, period / 200);
    netlist.Save(QStringLiteral("@q2[ic]"));

    std::vector<double> peaks;
    for (int k = 1; k <= kPeriods; ++k)
        for (const double quarter : {0.25, 0.75})
            peaks.push_back((k + quarter) * period);
    const QStringList output = Circuits::SampleAt(&netlist, QStringLiteral("vout_"), QStringLiteral("v(c2)"), peaks);
    const QStringList current =
        Circuits::SampleAt(&netlist, QStringLiteral("ic2_"), QStringLiteral("@q2[ic]"), {peaks[0], peaks[1]});
    netlist.Measure(QStringLiteral("uout"), QStringLiteral("param='abs(%1-%2)'").arg(output[1], output[0]));
    netlist.Measure(QStringLiteral("ik"), QStringLiteral("param='max(abs(%1),abs(%2))'").arg(current[0], current[1]));
    // T2 opening lifts its collector from -Ек to where Rк2 and R1 divide the supply.
    const double closed = -supply, open = -supply * r1 / (r1 + rk2);
    netlist.Measure(QStringLiteral("tf"),
                    QStringLiteral("TRIG v(c2) VAL=%1 TD=%3 RISE=1 TARG v(c2) VAL=%2 TD=%3 RISE=1")
                        .arg(Netlist::Number(closed + 0.1 * (open - closed)),
                             Netlist::Number(closed + 0.9 * (open - closed)), Netlist::Number(period)));
    netlist.Measure(QStringLiteral("iavg"),
                    QStringLiteral("AVG i(VEK) FROM=%1 TO=%2").arg(Netlist::Number(period), Netlist::Number(stop)));
    // ngspice counts a source's current into its plus terminal: the current drawn is its magnitude.
    netlist.Measure(QStringLiteral("iek"), QStringLiteral("param='abs(iavg)'"));
    netlist.Measure(QStringLiteral("pek"), QStringLiteral("param='%1*iek'").arg(Netlist::Number(supply)));

    circuit.traces = {{QStringLiteral("v(in)"), QStringLiteral("uвх")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2 (uвых)")}};
    circuit.figures = {
        {QStringLiteral("uout"), Tr("Амплитуда выходных импульсов"), QStringLiteral("В"), 1, in.Compared("UvyhAmp"),
         QStringLiteral("UvyhAmp")},
        {QStringLiteral("ik"), Tr("Ток коллектора открытого Т2"), QStringLiteral("мА"), 1e3, NAN, {}},
        {QStringLiteral("tf"), Tr("Длительность фронта выходного импульса"), QStringLiteral("мкс"), 1e6,
         in.Compared("Tf"), QStringLiteral("Tf")},
        {QStringLiteral("iek"), Tr("Средний ток источника Ек"), QStringLiteral("мА"), 1e3, NAN, {}},
        {QStringLiteral("pek"), Tr("Мощность, потребляемая от Ек"), QStringLiteral("мВт"), 1e3, NAN, {}},
    };
    const double swing = supply / 4;
    circuit.judge = [output, swing](const Measurements &measured) {
        return Circuits::JudgeAlternation(measured, output, {}, swing, Tr("в %1-м полупериоде входного напряжения"));
    };
    return circuit;
}

const bool registered = RegisterCircuit(QStringLiteral("Form4"), Form4Circuit);

} // namespace
