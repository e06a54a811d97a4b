#include "simulation/netlist.h"

#include <charconv>
#include <cmath>
#include <iterator>

Netlist::Netlist(const QString &title) : title_(title) {}

QString Netlist::Number(double value)
{
    // The shortest text that reads back as the same double: 47 pF typed is 4.7e-11, not 4.6999999999999999e-11.
    char text[32];
    const auto end = std::to_chars(std::begin(text), std::end(text), value).ptr;
    return QString::fromLatin1(text, end - text);
}

void Netlist::CheckValue(const QString &name, double value, bool mustBePositive)
{
    if (!std::isfinite(value) || (mustBePositive && value <= 0))
        impossible_ << QStringLiteral("%1 = %2").arg(name, Number(value));
}

void Netlist::Connect(std::initializer_list<QString> nodes)
{
    for (const QString &node : nodes) {
        if (node != u"0" && !nodes_.contains(node))
            nodes_ << node;
    }
}

void Netlist::VoltageSource(const QString &name, const QString &plus, const QString &minus)
{
    Connect({plus, minus});
    voltageSources_ << name;
}

void Netlist::Resistor(const QString &name, const QString &a, const QString &b, double ohms)
{
    Connect({a, b});
    CheckValue(name, ohms, true);
    elements_ << QStringLiteral("%1 %2 %3 %4").arg(name, a, b, Number(ohms));
}

void Netlist::Capacitor(const QString &name, const QString &a, const QString &b, double farads)
{
    Connect({a, b});
    CheckValue(name, farads, true);
    elements_ << QStringLiteral("%1 %2 %3 %4").arg(name, a, b, Number(farads));
}

void Netlist::Diode(const QString &name, const QString &anode, const QString &cathode, const QString &model)
{
    Connect({anode, cathode});
    elements_ << QStringLiteral("%1 %2 %3 %4").arg(name, anode, cathode, model);
}

void Netlist::Transistor(const QString &name, const QString &collector, const QString &base, const QString &emitter,
                         const QString &model)
{
    Connect({collector, base, emitter});
    elements_ << QStringLiteral("%1 %2 %3 %4 %5").arg(name, collector, base, emitter, model);
}

void Netlist::DcSource(const QString &name, const QString &plus, const QString &minus, double volts)
{
    VoltageSource(name, plus, minus);
    CheckValue(name, volts, false);
    elements_ << QStringLiteral("%1 %2 %3 DC %4").arg(name, plus, minus, Number(volts));
}

void Netlist::PulseSource(const QString &name, const QString &plus, const QString &minus, double volts, double delay,
                          double edge, double width, double period)
{
    VoltageSource(name, plus, minus);
    elements_ << QStringLiteral("%1 %2 %3 PULSE(0 %4 %5 %6 %6 %7 %8)")
                     .arg(name, plus, minus, Number(volts), Number(delay), Number(edge), Number(width), Number(period));
}

void Netlist::PiecewiseLinearSource(const QString &name, const QString &plus, const QString &minus,
                                    const std::vector<std::pair<double, double>> &corners)
{
    VoltageSource(name, plus, minus);
    QStringList points;
    for (const auto &[time, volts] : corners)
        points << Number(time) << Number(volts);
    elements_ << QStringLiteral("%1 %2 %3 PWL(%4)").arg(name, plus, minus, points.join(u' '));
}

void Netlist::CurrentPulseSource(const QString &name, const QString &into, double amps, double delay, double edge,
                                 double width, double period)
{
    Connect({into});
    // A current source drives its current from its first node through itself into its second.
    elements_ << QStringLiteral("%1 0 %2 PULSE(0 %3 %4 %5 %5 %6 %7)")
                     .arg(name, into, Number(amps), Number(delay), Number(edge), Number(width), Number(period));
}

void Netlist::SineSource(const QString &name, const QString &plus, const QString &minus, double amplitude, double hertz)
{
    VoltageSource(name, plus, minus);
    elements_ << QStringLiteral("%1 %2 %3 SIN(0 %4 %5)").arg(name, plus, minus, Number(amplitude), Number(hertz));
}

void Netlist::Model(const QString &line)
{
    models_ << line;
}

void Netlist::Comment(const QString &text)
{
    elements_ << QStringLiteral("* ") + text;
}

void Netlist::InitialCondition(const QString &node, double volts)
{
    controls_ << QStringLiteral(".ic v(%1)=%2").arg(node, Number(volts));
}

void Netlist::Temperature(double celsius)
{
    controls_ << QStringLiteral(".options tnom=%1").arg(Number(celsius))
              << QStringLiteral(".temp %1").arg(Number(celsius));
}

void Netlist::Transient(double step, double stop, double maxStep)
{
    stop_ = stop;
    maxStep_ = maxStep;
    controls_ << QStringLiteral(".tran %1 %2 0 %3").arg(Number(step), Number(stop), Number(maxStep));
}

void Netlist::Save(const QString &vector)
{
    saved_ << vector;
}

void Netlist::Measure(const QString &name, const QString &definition)
{
    measureNames_ << name;
    measures_ << QStringLiteral(".meas tran %1 %2").arg(name, definition);
}

QString Netlist::Text() const
{
    // The in-process run reads no start-up script of ngspice; the command line reads none so either.
    QStringList lines{
        QStringLiteral("* ") + title_,
        QStringLiteral("* Запуск без файлов настройки ngspice: SPICE_SCRIPTS=/dev/null ngspice -b -n ФАЙЛ")};
    lines << models_ << elements_ << controls_;
    // The device quantities come on top of every node voltage and branch current, each named: ".save all" with
    // them makes ngspice warn that it cannot parse the vectors the measurements add.
    if (!saved_.isEmpty()) {
        QStringList vectors;
        for (const QString &node : nodes_)
            vectors << QStringLiteral("v(%1)").arg(node);
        for (const QString &source : voltageSources_)
            vectors << QStringLiteral("i(%1)").arg(source);
        lines << QStringLiteral(".save ") + (vectors + saved_).join(u' ');
    }
    lines << measures_ << QStringLiteral(".end");
    return lines.join(u'\n') + u'\n';
}
