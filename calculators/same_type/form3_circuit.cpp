#include "calculators/same_type/form3.h"
#include "calculators/same_type/symmetric_trigger_circuit.h"

template <>
Circuit WindowCircuit<TForm3>::Build(CircuitInputs &in, const TForm3 &form)
{
    SymmetricTrigger trigger;
    trigger.pulseAmplitude = in.Box(form.ui.Edit1, QStringLiteral("Uки"));
    trigger.pulseFrequency = 1e3 * in.Box(form.ui.Edit2, QStringLiteral("Fп"));
    trigger.temperature = in.Box(form.ui.Edit3, QStringLiteral("tокр"));
    trigger.supply = in.Box(form.ui.Edit5, QStringLiteral("напряжение источника питания"));
    trigger.transistor.boundaryFrequency = 1e6 * in.Box(form.ui.Edit6, QStringLiteral("граничная частота"));
    trigger.transistor.currentGain = in.Box(form.ui.Edit7, QStringLiteral("статический коэффициент передачи тока"));
    trigger.transistor.reverseCollectorCurrent =
        1e-6 * in.Box(form.ui.Edit8, QStringLiteral("обратный ток коллектора"));
    trigger.collectorResistor = in.Box(form.ui.Edit11, QStringLiteral("Rк"));
    trigger.emitterResistor = in.Box(form.ui.Edit12, QStringLiteral("Rэ"));
    trigger.baseResistor = in.Box(form.ui.Edit13, QStringLiteral("Rб"));
    trigger.couplingResistor = in.Box(form.ui.Edit15, QStringLiteral("Rк.б"));
    trigger.speedUpCapacitor = 1e-12 * in.Box(form.ui.Edit16, QStringLiteral("С"));
    trigger.triggerNodeResistor = in.Box(form.ui.Edit18, QStringLiteral("R"));
    // The window prints Сэ's range in picofarads.
    const double low = 1e-12 * in.Calculated(form.CeMin, QStringLiteral("«Шаг 11»"));
    const double high = 1e-12 * in.Calculated(form.CeMax, QStringLiteral("«Шаг 11»"));
    trigger.emitterCapacitor = in.Parameter({QStringLiteral("Ce"), QStringLiteral("Сэ"), QStringLiteral("пФ"), 1e12,
                                             NAN, DefaultPart::InRange(low, high), DefaultPart::InRangeRule()});
    SymmetricTriggerParameters(in, &trigger, {form.CpMin, form.CpMax, QStringLiteral("«Шаг 13»")},
                               {form.PulseDur, QStringLiteral("«Шаг 10»")});
    trigger.outputAmplitude = in.Compared(form.Uki);
    trigger.fallTime = in.Compared(form.Tc);
    trigger.biasVoltage = in.Compared(form.Ubias);
    trigger.allowedCollectorCurrent = 1e-3 * in.Compared(form.IkDop);
    trigger.collectorBaseVoltage = in.Compared(form.UkbMin);
    return SymmetricTriggerCircuit(QStringLiteral("Symmetric p-n-p trigger, automatic bias"), trigger);
}

namespace {

const bool registered = RegisterCircuit<TForm3>(QStringLiteral("Form3"));

} // namespace
