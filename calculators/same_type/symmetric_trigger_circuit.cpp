#include "calculators/same_type/symmetric_trigger_circuit.h"

#include <QCoreApplication>

namespace {

// Six trigger pulses: six switchings, each sampled just before the next pulse.
constexpr int kPulses = 6;
// The window's data are taken at 20 °C.
constexpr double kDataTemperature = 20;

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

void SymmetricTriggerParameters(CircuitInputs &in, SymmetricTrigger *trigger, const CouplingRange &coupling,
                                const PulseDuration &pulse)
{
    const double low = in.Calculated(coupling.low, coupling.step), high = in.Calculated(coupling.high, coupling.step);
    trigger->couplingCapacitor = in.Parameter({QStringLiteral("Cp"), QStringLiteral("Ср"), QStringLiteral("пФ"), 1e12,
                                               NAN, DefaultPart::InRange(low, high), DefaultPart::InRangeRule()});
    const double width = 1e-6 * in.Calculated(pulse.duration, pulse.step);
    trigger->pulseWidth =
        in.Parameter({QStringLiteral("PulseWidth"), Tr("Длительность пусковых импульсов"), QStringLiteral("мкс"), 1e6,
                      NAN, width, Tr("Длительность пускового импульса, рассчитанная окном")});
}

Circuit SymmetricTriggerCircuit(const QString &title, const SymmetricTrigger &trigger)
{
    Circuit circuit;
    Netlist &netlist = circuit.netlist;
    netlist = Netlist(title);
    circuit.corners = CornersBetween(kDataTemperature, trigger.temperature);
    const bool externalBias = std::isfinite(trigger.biasSource);
    const QString emitter = externalBias ? QStringLiteral("0") : QStringLiteral("e");
    const double period = 1 / trigger.pulseFrequency;
    const double firstPulse = period / 2;
    const double edge = trigger.pulseWidth / 10;
    const double stop = firstPulse + kPulses * period;
    netlist.Transient(edge / 10, stop, edge);

    // T1 open, T2 closed: the closed collector sits where Rк and Rк.б divide the supply.
    const double closedCollector =
        -trigger.supply * trigger.couplingResistor / (trigger.collectorResistor + trigger.couplingResistor);
    // The open collector sits at the emitters: on the common wire, or where Rк and Rэ divide the supply.
    const double openCollector = externalBias
        ? 0
        : -trigger.supply * trigger.emitterResistor / (trigger.emitterResistor + trigger.collectorResistor);
    std::vector<double> inputs, samples;
    for (int k = 0; k <= kPulses; ++k) {
        samples.push_back(firstPulse + k * period - period / 10);
        if (k < kPulses)
            inputs.push_back(firstPulse + k * period);
    }
    TriggerObserver observer(inputs, samples, TriggerObserver::InputPulses());
    // Switched: each collector moved by at least half the way between the two levels.
    const double swing = std::abs(closedCollector - openCollector) / 2;
    observer.State(QStringLiteral("c1"), swing);
    observer.State(QStringLiteral("c2"), swing);
    observer.Amplitude(Tr("Амплитуда импульсов на коллекторе Т2"), QStringLiteral("c2"), trigger.outputAmplitude);
    observer.Edge(Tr("Длительность среза на коллекторе Т1 (закрывание), 0,1…0,9"), QStringLiteral("c1"), openCollector,
                  closedCollector, trigger.fallTime);
    observer.Edge(Tr("Длительность фронта на коллекторе Т1 (открывание), 0,1…0,9"), QStringLiteral("c1"),
                  closedCollector, openCollector, NAN);
    observer.InState(Tr("Ток коллектора открытого Т1"), QStringLiteral("мА"), 1e3, QStringLiteral("@q1[ic]"), NAN);
    observer.InState(Tr("Ток базы открытого Т1"), QStringLiteral("мА"), 1e3, QStringLiteral("@q1[ib]"), NAN);
    if (!externalBias)
        observer.InState(Tr("Напряжение смещения на Rэ"), QStringLiteral("В"), 1, QStringLiteral("v(e)"),
                         trigger.biasVoltage);
    observer.Supply(QStringLiteral("VEK"), QStringLiteral("Ек"), trigger.supply);
    for (const char *transistor : {"1", "2"})
        observer.Ratings(QStringLiteral("Т") + QLatin1StringView(transistor),
                         QStringLiteral("q") + QLatin1StringView(transistor), trigger.allowedCollectorCurrent,
                         trigger.collectorBaseVoltage, NAN);

    for (const Corner &corner : circuit.corners) {
        netlist.BeginCorner(corner.suffix);
        netlist.Comment(CornerComment(corner));
        TransistorData transistor = trigger.transistor;
        transistor.reverseCollectorCurrent =
            ReverseCurrentAt(trigger.transistor.reverseCollectorCurrent, kDataTemperature, corner.temperature);
        netlist.Model(SwitchingDiodeModel(netlist.Name(QStringLiteral("DSW")), corner.temperature));
        // Ек: plus on the common wire, minus on the upper rail.
        netlist.DcSource(QStringLiteral("VEK"), QStringLiteral("0"), QStringLiteral("vee"), trigger.supply);
        netlist.Resistor(QStringLiteral("RK1"), QStringLiteral("vee"), QStringLiteral("c1"), trigger.collectorResistor);
        netlist.Resistor(QStringLiteral("RK2"), QStringLiteral("vee"), QStringLiteral("c2"), trigger.collectorResistor);
        netlist.Resistor(QStringLiteral("RKB1"), QStringLiteral("c1"), QStringLiteral("b2"), trigger.couplingResistor);
        netlist.Capacitor(QStringLiteral("C1"), QStringLiteral("c1"), QStringLiteral("b2"), trigger.speedUpCapacitor);
        netlist.Resistor(QStringLiteral("RKB2"), QStringLiteral("c2"), QStringLiteral("b1"), trigger.couplingResistor);
        netlist.Capacitor(QStringLiteral("C2"), QStringLiteral("c2"), QStringLiteral("b1"), trigger.speedUpCapacitor);
        AddTransistor(&netlist, QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), emitter,
                      QStringLiteral("QT"), transistor, corner.temperature);
        AddTransistor(&netlist, QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), emitter,
                      QStringLiteral("QT"), transistor, corner.temperature);
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
        netlist.PulseSource(QStringLiteral("VIN"), QStringLiteral("in"), QStringLiteral("0"), trigger.pulseAmplitude,
                            firstPulse, edge, trigger.pulseWidth, period);
        netlist.Capacitor(QStringLiteral("CP"), QStringLiteral("in"), QStringLiteral("tn"), trigger.couplingCapacitor);
        netlist.Resistor(QStringLiteral("R"), QStringLiteral("tn"), QStringLiteral("vee"), trigger.triggerNodeResistor);
        netlist.Diode(QStringLiteral("D1"), QStringLiteral("tn"), QStringLiteral("c1"), QStringLiteral("DSW"),
                      corner.temperature);
        netlist.Diode(QStringLiteral("D2"), QStringLiteral("tn"), QStringLiteral("c2"), QStringLiteral("DSW"),
                      corner.temperature);
        netlist.InitialCondition(QStringLiteral("c1"), openCollector);
        netlist.InitialCondition(QStringLiteral("c2"), closedCollector);
        observer.Write(&netlist);
    }

    circuit.traces = {{QStringLiteral("v(in)"), QStringLiteral("uп")},
                      {QStringLiteral("v(c1)"), QStringLiteral("Коллектор Т1")},
                      {QStringLiteral("v(c2)"), QStringLiteral("Коллектор Т2")}};
    observer.JudgeRunsOf(&circuit);
    return circuit;
}
