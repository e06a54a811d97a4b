#include "simulation/netlist.h"

#include <QRegularExpression>

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

void Netlist::BeginCorner(const QString &suffix)
{
    suffix_ = suffix;
}

QString Netlist::Name(const QString &name) const
{
    return suffix_.isEmpty() ? name : name + u'_' + suffix_;
}

QString Netlist::Node(const QString &node) const
{
    return node == u"0" ? node : Name(node);
}

QString Netlist::Scoped(const QString &vector, const QString &suffix)
{
    const auto scoped = [&](const QString &name) { return suffix.isEmpty() ? name : name + u'_' + suffix; };
    static const QRegularExpression pattern(QStringLiteral("^(v|i)\\((\\w+)\\)$|^@(\\w+)\\[(\\w+)\\]$"));
    const QRegularExpressionMatch match = pattern.match(vector);
    if (!match.hasMatch())
        return vector;
    if (!match.captured(3).isEmpty())
        return QStringLiteral("@%1[%2]").arg(scoped(match.captured(3)).toLower(), match.captured(4));
    const QString name = match.captured(2) == u"0" ? match.captured(2) : scoped(match.captured(2)).toLower();
    return QStringLiteral("%1(%2)").arg(match.captured(1), name);
}

void Netlist::CheckValue(const QString &name, double value, bool mustBePositive)
{
    const QString part = QStringLiteral("%1 = %2").arg(name, Number(value));
    // Both corners hold the same parts: each is named once.
    if ((!std::isfinite(value) || (mustBePositive && value <= 0)) && !impossible_.contains(part))
        impossible_ << part;
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
    Connect({Node(a), Node(b)});
    CheckValue(name, ohms, true);
    elements_ << QStringLiteral("%1 %2 %3 %4").arg(Name(name), Node(a), Node(b), Number(ohms));
}

void Netlist::Capacitor(const QString &name, const QString &a, const QString &b, double farads)
{
    Connect({Node(a), Node(b)});
    CheckValue(name, farads, true);
    elements_ << QStringLiteral("%1 %2 %3 %4").arg(Name(name), Node(a), Node(b), Number(farads));
}

void Netlist::Diode(const QString &name, const QString &anode, const QString &cathode, const QString &model,
                    double celsius)
{
    Connect({Node(anode), Node(cathode)});
    elements_ << QStringLiteral("%1 %2 %3 %4 TEMP=%5")
                     .arg(Name(name), Node(anode), Node(cathode), Name(model), Number(celsius));
}

void Netlist::Transistor(const QString &name, const QString &collector, const QString &base, const QString &emitter,
                         const QString &model, double celsius)
{
    Connect({Node(collector), Node(base), Node(emitter)});
    elements_ << QStringLiteral("%1 %2 %3 %4 %5 TEMP=%6")
                     .arg(Name(name), Node(collector), Node(base), Node(emitter), Name(model), Number(celsius));
}

void Netlist::CurrentSource(const QString &name, const QString &from, const QString &into, double amps)
{
    Connect({Node(from), Node(into)});
    CheckValue(name, amps, false);
    elements_ << QStringLiteral("%1 %2 %3 DC %4").arg(Name(name), Node(from), Node(into), Number(amps));
}

void Netlist::DcSource(const QString &name, const QString &plus, const QString &minus, double volts)
{
    VoltageSource(Name(name), Node(plus), Node(minus));
    CheckValue(name, volts, false);
    elements_ << QStringLiteral("%1 %2 %3 DC %4").arg(Name(name), Node(plus), Node(minus), Number(volts));
}

void Netlist::PulseSource(const QString &name, const QString &plus, const QString &minus, double volts, double delay,
                          double edge, double width, double period)
{
    VoltageSource(Name(name), Node(plus), Node(minus));
    elements_ << QStringLiteral("%1 %2 %3 PULSE(0 %4 %5 %6 %6 %7 %8)")
                     .arg(Name(name), Node(plus), Node(minus), Number(volts), Number(delay), Number(edge),
                          Number(width), Number(period));
}

void Netlist::PiecewiseLinearSource(const QString &name, const QString &plus, const QString &minus,
                                    const std::vector<std::pair<double, double>> &corners)
{
    VoltageSource(Name(name), Node(plus), Node(minus));
    QStringList points;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        // ngspice stops with no word of why on a corner that does not come after the one before.
        if (k > 0)
            CheckValue(name, corners[k].first - corners[k - 1].first, true);
        points << Number(corners[k].first) << Number(corners[k].second);
    }
    elements_ << QStringLiteral("%1 %2 %3 PWL(%4)").arg(Name(name), Node(plus), Node(minus), points.join(u' '));
}

void Netlist::CurrentPulseSource(const QString &name, const QString &into, double amps, double delay, double edge,
                                 double width, double period)
{
    Connect({Node(into)});
    // A current source drives its current from its first node through itself into its second.
    elements_ << QStringLiteral("%1 0 %2 PULSE(0 %3 %4 %5 %5 %6 %7)")
                     .arg(Name(name), Node(into), Number(amps), Number(delay), Number(edge), Number(width),
                          Number(period));
}

void Netlist::SineSource(const QString &name, const QString &plus, const QString &minus, double amplitude, double hertz)
{
    VoltageSource(Name(name), Node(plus), Node(minus));
    elements_ << QStringLiteral("%1 %2 %3 SIN(0 %4 %5)")
                     .arg(Name(name), Node(plus), Node(minus), Number(amplitude), Number(hertz));
}

void Netlist::Model(const QString &line)
{
    // Transistors of one kind share their model.
    if (!models_.contains(line))
        models_ << line;
}

void Netlist::Comment(const QString &text)
{
    elements_ << QStringLiteral("* ") + text;
}

void Netlist::InitialCondition(const QString &node, double volts)
{
    controls_ << QStringLiteral(".ic v(%1)=%2").arg(Node(node), Number(volts));
}

void Netlist::Transient(double step, double stop, double maxStep)
{
    stop_ = stop;
    maxStep_ = maxStep;
    controls_ << QStringLiteral(".tran %1 %2 0 %3").arg(Number(step), Number(stop), Number(maxStep));
}

void Netlist::Save(const QString &vector)
{
    if (!saved_.contains(vector))
        saved_ << vector;
}

void Netlist::Measure(const QString &name, const QString &definition)
{
    measureNames_ << Name(name);
    measures_ << QStringLiteral(".meas tran %1 %2").arg(Name(name), definition);
}

void Netlist::Parameter(const QString &name, double value)
{
    parameters_.emplace_back(Name(name), value);
}

bool Netlist::SetParameter(const QString &fullName, double value)
{
    for (auto &[name, current] : parameters_)
        if (name == fullName) {
            current = value;
            return true;
        }
    return false;
}

QString Netlist::Text(bool parameters) const
{
    // The in-process run reads no start-up script of ngspice; the command line reads none so either.
    QStringList lines{
        QStringLiteral("* ") + title_,
        QStringLiteral("* Запуск без файлов настройки ngspice: SPICE_SCRIPTS=/dev/null ngspice -b -n ФАЙЛ")};
    if (parameters)
        for (const auto &[name, value] : parameters_)
            lines << QStringLiteral(".param %1=%2").arg(name, Number(value));
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
