#include "calculators/same_type/form2.h"
#include "calculators/same_type/symmetric_trigger_circuit.h"

template <>
Circuit WindowCircuit<TForm2>::Build(CircuitInputs &in, const TForm2 &form)
{
    SymmetricTrigger trigger;
    trigger.pulseAmplitude = in.Box(form.ui.Edit1, QStringLiteral("Uки"));
    trigger.pulseFrequency = 1e3 * in.Box(form.ui.Edit2, QStringLiteral("Fп"));
    trigger.temperature = in.Box(form.ui.Edit3, QStringLiteral("tокр"));
    trigger.supply = in.Box(form.ui.Edit4, QStringLiteral("Ек"));
    trigger.transistor.boundaryFrequency = 1e6 * in.Box(form.ui.Edit5, QStringLiteral("граничная частота"));
    trigger.transistor.currentGain = in.Box(form.ui.Edit6, QStringLiteral("статический коэффициент передачи тока"));
    trigger.transistor.reverseCollectorCurrent =
        1e-6 * in.Box(form.ui.Edit7, QStringLiteral("обратный ток коллектора"));
    trigger.collectorResistor = in.Box(form.ui.Edit10, QStringLiteral("Rк"));
    trigger.biasSource = in.Box(form.ui.Edit11, QStringLiteral("Еб"));
    trigger.baseResistor = in.Box(form.ui.Edit12, QStringLiteral("Rб"));
    trigger.couplingResistor = in.Box(form.ui.Edit14, QStringLiteral("Rк.б"));
    trigger.speedUpCapacitor = 1e-12 * in.Box(form.ui.Edit15, QStringLiteral("С"));
    trigger.triggerNodeResistor = in.Box(form.ui.Edit17, QStringLiteral("R"));
    SymmetricTriggerParameters(in, &trigger, {form.CpMin, form.CpMax, QStringLiteral("«Шаг 11»")},
                               {form.PulseDur, QStringLiteral("«Шаг 9»")});
    trigger.outputAmplitude = in.Compared(form.Uki);
    trigger.fallTime = in.Compared(form.Tc);
    trigger.allowedCollectorCurrent = 1e-3 * in.Compared(form.IkDop);
    trigger.collectorBaseVoltage = in.Compared(form.UkbMin);
    return SymmetricTriggerCircuit(QStringLiteral("Symmetric p-n-p trigger, external bias source"), trigger);
}

namespace {

const bool registered = RegisterCircuit<TForm2>(QStringLiteral("Form2"));

} // namespace
