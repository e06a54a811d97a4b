#include "simulation/device_models.h"

#include "simulation/netlist.h"

#include <QStringList>

namespace {

// kT/q at 300 K.
constexpr double kThermalVoltage = 0.02585;
constexpr double kPi = 3.14159265358979323846;

} // namespace

QString TransistorModel(const QString &name, const TransistorData &data)
{
    QStringList parameters;
    auto set = [&](const char *parameter, double value) {
        parameters << QStringLiteral("%1=%2").arg(QLatin1StringView(parameter), Netlist::Number(value));
    };
    // The forward current gain is the window's static transfer ratio.
    set("BF", data.currentGain);
    // Driven backwards a junction transistor hardly amplifies.
    set("BR", 1);
    // The boundary frequency is where the gain falls to one: fT = 1 / (2 pi TF). Charge stored in saturation
    // leaves ten times slower than it crosses the base forwards. A window that gives no boundary frequency
    // leaves the transistors without transit times.
    if (std::isfinite(data.boundaryFrequency)) {
        set("TF", 1 / (2 * kPi * data.boundaryFrequency));
        set("TR", 10 / (2 * kPi * data.boundaryFrequency));
    }
    // A reverse-biased collector junction leaks its saturation current: that is the reverse collector current,
    // which doubles with every 10 degrees, as the windows reckon it. Its emission coefficient of 2 keeps the
    // leakage from clamping a forward-biased collector junction in saturation.
    set("ISC", data.reverseCollectorCurrent * std::exp2((data.temperature - data.dataTemperature) / 10));
    set("NC", 2);
    // The base-emitter saturation voltage at the design current sets the emitter junction's saturation
    // current; without it, that of a small germanium transistor.
    const bool baseVoltageKnown =
        std::isfinite(data.baseSaturationVoltage) && std::isfinite(data.designCollectorCurrent);
    set("IS",
        baseVoltageKnown ? data.designCollectorCurrent / std::exp(data.baseSaturationVoltage / kThermalVoltage) : 1e-7);
    // The collector-emitter saturation voltage is what the collector's bulk resistance drops at the design current.
    if (std::isfinite(data.collectorSaturationVoltage) && std::isfinite(data.designCollectorCurrent))
        set("RC", data.collectorSaturationVoltage / data.designCollectorCurrent);
    // The junctions' own capacitances, which no window asks for: those of a small-signal transistor. Without
    // them a circuit with no capacitor of its own switches in no time, which the simulator cannot follow.
    set("CJE", 2e-12);
    set("CJC", 2e-12);
    return QStringLiteral(".model %1 %2(%3)").arg(name, data.pnp ? u"PNP" : u"NPN", parameters.join(u' '));
}

QString SwitchingDiodeModel(const QString &name)
{
    return QStringLiteral(".model %1 D(IS=2.52n RS=0.568 N=1.752 CJO=4p M=0.4 TT=20n BV=100)").arg(name);
}
