#include "calculators/same_type/symmetric_trigger_circuit.h"

namespace {

Circuit Form3Circuit(CircuitInputs &in)
{
    SymmetricTrigger trigger;
    trigger.pulseAmplitude = in.Box("Edit1", QStringLiteral("Uки"));
    trigger.pulseFrequency = 1e3 * in.Box("Edit2", QStringLiteral("Fп"));
    trigger.temperature = in.Box("Edit3", QStringLiteral("tокр"));
    trigger.supply = in.Box("Edit5", QStringLiteral("напряжение источника питания"));
    trigger.transistor.boundaryFrequency = 1e6 * in.Box("Edit6", QStringLiteral("граничная частота"));
    trigger.transistor.currentGain = in.Box("Edit7", QStringLiteral("статический коэффициент передачи тока"));
    trigger.transistor.reverseCollectorCurrent = 1e-6 * in.Box("Edit8", QStringLiteral("обратный ток коллектора"));
    trigger.collectorResistor = in.Box("Edit11", QStringLiteral("Rк"));
    trigger.emitterResistor = in.Box("Edit12", QStringLiteral("Rэ"));
    trigger.baseResistor = in.Box("Edit13", QStringLiteral("Rб"));
    trigger.couplingResistor = in.Box("Edit15", QStringLiteral("Rк.б"));
    trigger.speedUpCapacitor = 1e-12 * in.Box("Edit16", QStringLiteral("С"));
    trigger.triggerNodeResistor = in.Box("Edit18", QStringLiteral("R"));
    // The window prints Сэ's range in picofarads.
    const double low = 1e-12 * in.Calculated("CeMin", QStringLiteral("«Шаг 11»"));
    const double high = 1e-12 * in.Calculated("CeMax", QStringLiteral("«Шаг 11»"));
    trigger.emitterCapacitor = in.Parameter({QStringLiteral("Ce"), QStringLiteral("Сэ"), QStringLiteral("пФ"), 1e12,
                                             NAN, DefaultPart::InRange(low, high), DefaultPart::InRangeRule()});
    SymmetricTriggerParameters(in, &trigger, "Шаг 13", "Шаг 10");
    trigger.outputAmplitude = in.Compared("Uki");
    trigger.fallTime = in.Compared("Tc");
    trigger.biasVoltage = in.Compared("Ubias");
    trigger.allowedCollectorCurrent = 1e-3 * in.Compared("IkDop");
    trigger.collectorBaseVoltage = in.Compared("UkbMin");
    return SymmetricTriggerCircuit(QStringLiteral("Symmetric p-n-p trigger, automatic bias"), trigger);
}

const bool registered = RegisterCircuit(QStringLiteral("Form3"), Form3Circuit);

} // namespace
