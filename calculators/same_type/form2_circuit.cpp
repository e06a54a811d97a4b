#include "calculators/same_type/symmetric_trigger_circuit.h"

namespace {

Circuit Form2Circuit(CircuitInputs &in)
{
    SymmetricTrigger trigger;
    trigger.pulseAmplitude = in.Box("Edit1", QStringLiteral("Uки"));
    trigger.pulseFrequency = 1e3 * in.Box("Edit2", QStringLiteral("Fп"));
    trigger.temperature = in.Box("Edit3", QStringLiteral("tокр"));
    trigger.supply = in.Box("Edit4", QStringLiteral("Ек"));
    trigger.transistor.boundaryFrequency = 1e6 * in.Box("Edit5", QStringLiteral("граничная частота"));
    trigger.transistor.currentGain = in.Box("Edit6", QStringLiteral("статический коэффициент передачи тока"));
    trigger.transistor.reverseCollectorCurrent = 1e-6 * in.Box("Edit7", QStringLiteral("обратный ток коллектора"));
    trigger.collectorResistor = in.Box("Edit10", QStringLiteral("Rк"));
    trigger.biasSource = in.Box("Edit11", QStringLiteral("Еб"));
    trigger.baseResistor = in.Box("Edit12", QStringLiteral("Rб"));
    trigger.couplingResistor = in.Box("Edit14", QStringLiteral("Rк.б"));
    trigger.speedUpCapacitor = 1e-12 * in.Box("Edit15", QStringLiteral("С"));
    trigger.triggerNodeResistor = in.Box("Edit17", QStringLiteral("R"));
    SymmetricTriggerParameters(in, &trigger, "Шаг 11", "Шаг 9");
    trigger.outputAmplitude = in.Compared("Uki");
    trigger.fallTime = in.Compared("Tc");
    trigger.allowedCollectorCurrent = 1e-3 * in.Compared("IkDop");
    trigger.collectorBaseVoltage = in.Compared("UkbMin");
    return SymmetricTriggerCircuit(QStringLiteral("Symmetric p-n-p trigger, external bias source"), trigger);
}

const bool registered = RegisterCircuit(QStringLiteral("Form2"), Form2Circuit);

} // namespace
