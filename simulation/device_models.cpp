#include "simulation/device_models.h"

#include "simulation/netlist.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr double kPi = 3.14159265358979323846;

// kT/q at the temperature.
double ThermalVoltage(double celsius)
{
    return 8.617333262e-5 * (celsius + 273.15);
}

} // namespace

double ReverseCurrentAt(double current, double fromCelsius, double toCelsius)
{
    return current * std::exp2((toCelsius - fromCelsius) / 10);
}

double JunctionCapacitance(const TransistorData &data)
{
    // The junctions of a slower transistor are larger: datasheets of small switching transistors give about
    // 2 pF at 300 MHz and 10 to 15 pF at a few megahertz, which the cube root of the frequency ratio joins.
    // Without a boundary frequency, 5 pF, between the two.
    return std::isfinite(data.boundaryFrequency) ? 2e-12 * std::cbrt(300e6 / data.boundaryFrequency) : 5e-12;
}

QString TransistorModel(const QString &name, const TransistorData &data, double celsius)
{
    QStringList parameters;
    auto set = [&](const char *parameter, double value) {
        parameters << QStringLiteral("%1=%2").arg(QLatin1StringView(parameter), Netlist::Number(value));
    };
    // The data hold at this temperature: ngspice is told so, and scales none of them.
    set("TNOM", celsius);
    // The forward current gain is the window's static transfer ratio at this temperature.
    set("BF", data.currentGain);
    // Driven backwards (collector as emitter) a junction transistor hardly amplifies.
    set("BR", 1);
    // The emitter junction: the base-emitter saturation voltage at the design current, IS = Iк / exp(Uбэ.нас / φт).
    // Without those figures, that of a small germanium transistor, opening at about 0,2 V: the reverse currents of
    // microamperes such a window asks for are germanium's.
    const bool baseVoltageKnown =
        std::isfinite(data.baseSaturationVoltage) && std::isfinite(data.designCollectorCurrent);
    set("IS",
        baseVoltageKnown ? data.designCollectorCurrent / std::exp(data.baseSaturationVoltage / ThermalVoltage(celsius))
                         : 1e-7);
    // The collector-emitter saturation voltage at the design current: the two junctions give about 2 φт of it at
    // a sound overdrive, the collector's bulk resistance drops the rest.
    if (std::isfinite(data.collectorSaturationVoltage) && std::isfinite(data.designCollectorCurrent))
        set("RC",
            std::max(data.collectorSaturationVoltage - 2 * ThermalVoltage(celsius), 0.0) / data.designCollectorCurrent);
    // The boundary frequency is where the current gain falls to one: fгр = 1 / (2π TF). A switching transistor
    // is made so that the charge stored while its collector junction conducts leaves about as fast as the
    // charge that crosses the base forwards; its storage time is then set by the overdrive, as datasheets give
    // it, so TR = TF.
    if (std::isfinite(data.boundaryFrequency)) {
        set("TF", 1 / (2 * kPi * data.boundaryFrequency));
        set("TR", 1 / (2 * kPi * data.boundaryFrequency));
    }
    // The junctions' capacitances, which no window asks for: without them a circuit with no capacitor of its own
    // switches in no time, which the simulator cannot follow.
    set("CJE", JunctionCapacitance(data));
    set("CJC", JunctionCapacitance(data));
    return QStringLiteral(".model %1 %2(%3)").arg(name, data.pnp ? u"PNP" : u"NPN", parameters.join(u' '));
}

void AddTransistor(Netlist *netlist, const QString &name, const QString &collector, const QString &base,
                   const QString &emitter, const QString &model, const TransistorData &data, double celsius)
{
    netlist->Model(TransistorModel(netlist->Name(model), data, celsius));
    netlist->Transistor(name, collector, base, emitter, model, celsius);
    // The reverse collector current Iкбо is a leakage across the collector junction, from the n side to the p
    // side: whatever the junction's bias it is microamperes beside the milliamperes of the open transistor, so a
    // constant current stands for it. (As the model's collector saturation current it would grow exponentially
    // once the junction conducts and swamp a saturated transistor's base.)
    if (std::isfinite(data.reverseCollectorCurrent)) {
        const QString leakage = QStringLiteral("IL") + name;
        if (data.pnp)
            netlist->CurrentSource(leakage, base, collector, data.reverseCollectorCurrent);
        else
            netlist->CurrentSource(leakage, collector, base, data.reverseCollectorCurrent);
    }
}

QString SwitchingDiodeModel(const QString &name, double celsius)
{
    // A general-purpose small-signal silicon switching diode's datasheet figures: 4 pF, a reverse recovery of
    // a few nanoseconds (transit time 20 ns), 100 V.
    return QStringLiteral(".model %1 D(TNOM=%2 IS=2.52n RS=0.568 N=1.752 CJO=4p M=0.4 TT=20n BV=100)")
        .arg(name, Netlist::Number(celsius));
}
