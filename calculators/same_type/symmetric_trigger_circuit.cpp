#include "calculators/same_type/symmetric_trigger_circuit.h"

#include <QCoreApplication>

namespace {

// Six trigger pulses: six switchings, each sampled just before the next pulse.
constexpr int kPulses = 6;

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

Circuit SymmetricTriggerCircuit(const QString &title, const SymmetricTrigger &trigger)
{
    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(title);
    const bool externalBias = std::isfinite(trigger.biasSource);
    const QString emitter = externalBias ? QStringLiteral("0") : QStringLiteral("e");

    TransistorData transistor = trigger.transistor;
    transistor.temperature = trigger.temperature;
    netlist.Model(TransistorModel(QStringLiteral("QT"), transistor));
    netlist.Model(SwitchingDiodeModel(QStringLiteral("DSW")));
    // Ек: plus on the common wire, minus on the upper rail.
    netlist.DcSource(QStringLiteral("VEK"), QStringLiteral("0"), QStringLiteral("vee"), trigger.supply);
    netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("vee"), QStringLiteral("c1"), trigger.collectorResistor);
    netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("vee"), QStringLiteral("c2"), trigger.collectorResistor);
    netlist.Resistor(QStringLiteral("RKB1"), QStringLiteral("c1"), QStringLiteral("b2"), trigger.couplingResistor);
    netlist.Capacitor(QStringLiteral("C1"), QStringLiteral("c1"), QStringLiteral("b2"), trigger.speedUpCapacitor);
    netlist.Resistor(QStringLiteral("RKB2"), QStringLiteral("c2"), QStringLiteral("b1"), trigger.couplingResistor);
    netlist.Capacitor(QStringLiteral("C2"), QStringLiteral("c2"), QStringLiteral("b1"), trigger.speedUpCapacitor);
    netlist.Transistor(QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), emitter, QStringLiteral("QT"));
    netlist.Transistor(QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), emitter, QStringLiteral("QT"));
    if (externalBias) {
        netlist.DcSource(QStringLiteral("VEB"), QStringLiteral("eb"), QStringLiteral("0"), trigger.biasSource);
        netlist.Resistor(QStringLiteral("RB1"), QStringLiteral("b1"), QStringLiteral("eb"), trigger.baseResistor);
        netlist.Resistor(QStringLiteral("RB2"), QStringLiteral("b2"), QStringLiteral("eb"), trigger.baseResistor);
    } else {
        netlist.Resistor(QStringLiteral("RE"), QStringLiteral("e"), QStringLiteral("0"), trigger.emitterResistor);
        netlist.Capacitor(QStringLiteral("CE"), QStringLiteral("e"), QStringLiteral("0"), trigger.emitterCapacitor);
        netlist.Resistor(QStringLiteral("RB1"), QStringLiteral("b1"), QStringLiteral("0"), trigger.baseResistor);
        netlist.Resistor(QStringLiteral("RB2"), QStringLiteral("b2"), QStringLiteral("0"), trigger.baseResistor);
    }
    const double period = 1 / trigger.pulseFrequency;
    const double firstPulse = period / 2;
    const double edge = trigger.pulseWidth / 10;
    netlist.PulseSource(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"), trigger.pulseAmplitude,
                        firstPulse, edge, trigger.pulseWidth, period);
    netlist.Capacitor(QStringLiteral("CP"), QStringLiteral("in"), QStringLiteral("tn"), trigger.couplingCapacitor);
    netlist.Resistor(QStringLiteral("R"), QStringLiteral("tn"), QStringLiteral("vee"), trigger.triggerNodeResistor);
    netlist.Diode(QStringLiteral("D1"), QStringLiteral("tn"), QStringLiteral("c1"), QStringLiteral("DSW"));
    netlist.Diode(QStringLiteral("D2"), QStringLiteral("tn"), QStringLiteral("c2"), QStringLiteral("DSW"));

    // T1 open, T2 closed: the closed collector sits where Rк and Rк.б divide the supply.
    const double closedCollector =
        -trigger.supply * trigger.couplingResistor / (trigger.collectorResistor + trigger.couplingResistor);
    netlist.InitialCondition(QStringLiteral("c1"), 0);
    netlist.InitialCondition(QStringLiteral("c2"), closedCollector);
    // The open collector sits at the emitters: on the common wire, or where Rк and Rэ divide the supply.
    const double openCollector = externalBias
        ? 0
        : -trigger.supply * trigger.emitterResistor / (trigger.emitterResistor + trigger.collectorResistor);
    netlist.Temperature(trigger.temperature);
    const double stop = firstPulse + kPulses * period;
    netlist.Transient(edge / 10, stop, edge);
    netlist.Save(QStringLiteral("@q1[ic]"));
    netlist.Save(QStringLiteral("@q1[ib]"));

    std::vector<double> sampleTimes;
    for (int k = 0; k <= kPulses; ++k)
        sampleTimes.push_back(firstPulse + k * period - period / 10);
    const QStringList c1 = Circuits::SampleAt(&netlist, QStringLiteral("vc1_"), QStringLiteral("v(c1)"), sampleTimes);
    const QStringList c2 = Circuits::SampleAt(&netlist, QStringLiteral("vc2_"), QStringLiteral("v(c2)"), sampleTimes);
    const QStringList ic = Circuits::SampleAt(&netlist, QStringLiteral("ic1_"), QStringLiteral("@q1[ic]"),
                                              {sampleTimes[0], sampleTimes[1]});
    const QStringList ib = Circuits::SampleAt(&netlist, QStringLiteral("ib1_"), QStringLiteral("@q1[ib]"),
                                              {sampleTimes[0], sampleTimes[1]});
    // Between two pulses one state and then the other: the collector's swing, and T1's currents while open.
    netlist.Measure(QStringLiteral("uout"), QStringLiteral("param='abs(%1-%2)'").arg(c2[1], c2[0]));
    netlist.Measure(QStringLiteral("ik"), QStringLiteral("param='max(abs(%1),abs(%2))'").arg(ic[0], ic[1]));
    netlist.Measure(QStringLiteral("ib"), QStringLiteral("param='max(abs(%1),abs(%2))'").arg(ib[0], ib[1]));
    // T1 opening: its collector's edge from the closed level to the open one, between 10 and 90 % of the swing.
    // Closing, the other collector is held by the trigger pulse through its diode for the pulse's length.
    netlist.Measure(QStringLiteral("tf"),
                    QStringLiteral("TRIG v(c1) VAL=%1 TD=%3 RISE=1 TARG v(c1) VAL=%2 TD=%3 RISE=1")
                        .arg(Netlist::Number(closedCollector + 0.1 * (openCollector - closedCollector)),
                             Netlist::Number(closedCollector + 0.9 * (openCollector - closedCollector)),
                             Netlist::Number(firstPulse)));
    netlist.Measure(QStringLiteral("iavg"),
                    QStringLiteral("AVG i(VEK) FROM=%1 TO=%2").arg(Netlist::Number(firstPulse), Netlist::Number(stop)));
    // ngspice counts a source's current into its plus terminal: the current drawn is its magnitude.
    netlist.Measure(QStringLiteral("iek"), QStringLiteral("param='abs(iavg)'"));
    netlist.Measure(QStringLiteral("pek"), QStringLiteral("param='%1*iek'").arg(Netlist::Number(trigger.supply)));

    circuit.traces = {{QStringLiteral("v(in)"), QStringLiteral("uп")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2")}};
    circuit.figures = {
        {QStringLiteral("uout"), Tr("Амплитуда импульсов на коллекторе Т2"), QStringLiteral("В"), 1,
         trigger.outputAmplitude, QStringLiteral("Uki")},
        {QStringLiteral("ik"), Tr("Ток коллектора открытого транзистора"), QStringLiteral("мА"), 1e3,
         trigger.collectorCurrent, QStringLiteral("IpAmp")},
        {QStringLiteral("ib"), Tr("Ток базы открытого транзистора"), QStringLiteral("мА"), 1e3, NAN, {}},
        {QStringLiteral("tf"), Tr("Длительность фронта на коллекторе Т1"), QStringLiteral("мкс"), 1e6, trigger.fallTime,
         QStringLiteral("Tc")},
        {QStringLiteral("iek"), Tr("Средний ток источника Ек"), QStringLiteral("мА"), 1e3, NAN, {}},
        {QStringLiteral("pek"), Tr("Мощность, потребляемая от Ек"), QStringLiteral("мВт"), 1e3, NAN, {}},
    };
    if (!externalBias) {
        // The open transistor's emitter current lowers the common emitter below the common wire.
        netlist.Measure(QStringLiteral("ue"), QStringLiteral("FIND v(e) AT=%1").arg(Netlist::Number(sampleTimes[0])));
        netlist.Measure(QStringLiteral("ubias"), QStringLiteral("param='abs(ue)'"));
        circuit.figures.push_back({QStringLiteral("ubias"), Tr("Напряжение смещения на Rэ"), QStringLiteral("В"), 1,
                                   trigger.biasVoltage, QStringLiteral("Ubias")});
    }
    const double swing = trigger.supply / 2;
    circuit.judge = [c1, c2, swing](const Measurements &measured) {
        return Circuits::JudgeAlternation(measured, c1, c2, swing, Tr("после %1-го входного импульса"));
    };
    return circuit;
}
