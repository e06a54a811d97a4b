#include "simulation/circuit.h"

#include "number_text/decimal_mark.h"
#include "number_text/exception.h"
#include "number_text/number_text.h"
#include "standard_values/e24.h"
#include "window/calculator_window.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QVariantMap>

#include <algorithm>

namespace {

struct RegisteredCircuit
{
    const QMetaObject *windowClass;
    CircuitBuilder build;
};

std::map<QString, RegisteredCircuit> &Builders()
{
    static std::map<QString, RegisteredCircuit> builders;
    return builders;
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

// The number of a text, NaN when it is none.
double NumberOf(const QString &text)
{
    try {
        return double(NumberFromText(text));
    } catch (const Exception &) {
        return NAN;
    }
}

} // namespace

CircuitInputs::CircuitInputs(QWidget *window) : window_(window) {}

double CircuitInputs::Box(const QLineEdit *box, const QString &caption)
{
    const double value = NumberOf(box->text());
    if (std::isfinite(value))
        return Varied(box->objectName(), caption, value);
    missing_ << caption;
    return NAN;
}

double CircuitInputs::Calculated(const Quantity &quantity, const QString &step)
{
    const double value = Compared(quantity);
    if (std::isfinite(value) && value != 0)
        return value;
    if (!missing_.contains(step))
        missing_ << step;
    return NAN;
}

double CircuitInputs::Compared(const Quantity &quantity)
{
    return quantity.value() != 0 ? quantity.value() : NAN;
}

double CircuitInputs::Parameter(SimulationParameter parameter)
{
    auto *calculator = qobject_cast<TCalculatorWindow *>(window_);
    const QVariantMap typed = calculator ? calculator->SimulationParameters() : QVariantMap();
    parameter.value = parameter.defaultValue;
    if (typed.contains(parameter.key)) {
        parameter.value = NumberOf(typed.value(parameter.key).toString()) / parameter.scale;
        if (!std::isfinite(parameter.value))
            missing_ << parameter.caption;
    }
    parameters_.push_back(parameter);
    return Varied(parameter.key, parameter.caption, parameter.value);
}

double CircuitInputs::Varied(const QString &key, const QString &caption, double value)
{
    reads_.push_back({key, caption, value});
    const auto factor = factors_.find(key);
    return factor == factors_.end() ? value : value * factor->second;
}

bool RegisterCircuit(const QString &windowName, const QMetaObject &windowClass, CircuitBuilder builder)
{
    Builders()[windowName] = {&windowClass, std::move(builder)};
    return true;
}

bool HasCircuit(const QString &windowName)
{
    return Builders().count(windowName) != 0;
}

Outcome<> BuildCircuit(QWidget *window, Circuit *circuit)
{
    return BuildCircuit(window, {}, circuit);
}

Outcome<> BuildCircuit(QWidget *window, const std::map<QString, double> &factors, Circuit *circuit,
                       std::vector<CircuitInputs::Read> *reads)
{
    const auto builder = window ? Builders().find(window->objectName()) : Builders().end();
    if (builder == Builders().end() || !builder->second.windowClass->cast(window))
        return Failure{Tr("Для этой схемы моделирование не предусмотрено")};
    CircuitInputs inputs(window);
    inputs.Vary(factors);
    *circuit = builder->second.build(inputs);
    circuit->parameters = inputs.Parameters();
    if (reads)
        *reads = inputs.Reads();
    const QStringList impossible = circuit->netlist.ImpossibleParts();
    Failure failure;
    if (!inputs.Missing().isEmpty())
        failure.message = Tr("Для моделирования заполните: %1").arg(inputs.Missing().join(QStringLiteral(", ")));
    else if (!impossible.isEmpty())
        failure.message = Tr("Такую схему моделировать нельзя: %1").arg(impossible.join(QStringLiteral(", ")));
    else
        return {};
    // Nothing to run; the parameters stay, so that a wrong one can be typed over.
    *circuit = Circuit{};
    circuit->parameters = inputs.Parameters();
    return failure;
}

QString FigureText(double value, int digits)
{
    if (!std::isfinite(value))
        return QStringLiteral("—");
    QString text = QString::number(value, 'g', digits);
    text.replace(u'.', QLatin1Char(DecimalMark));
    return text;
}

namespace DefaultPart {

double Below(double bound, double margin)
{
    const auto neighbours = NeighboursInE24(bound / margin);
    return neighbours ? double(neighbours->below) : NAN;
}

double Above(double bound, double margin)
{
    const auto neighbours = NeighboursInE24(bound * margin);
    return neighbours ? double(neighbours->above) : NAN;
}

double InRange(double low, double high)
{
    // A range that holds an E24 value holds the one nearest to its middle.
    const double middle = (low + high) / 2;
    const auto neighbours = NeighboursInE24(middle);
    if (!neighbours)
        return middle;
    const double below = double(neighbours->below), above = double(neighbours->above);
    return middle - below <= above - middle ? below : above;
}

QString BelowRule(double margin)
{
    return margin == 1 ? Tr("Наибольшее стандартное значение ряда E24, не превышающее рассчитанную границу")
                       : Tr("Наибольшее стандартное значение ряда E24, не превышающее рассчитанную границу, "
                            "делённую на %1: запас тока базы")
                             .arg(FigureText(margin));
}

QString InRangeRule()
{
    return Tr("Стандартное значение ряда E24 в пределах, рассчитанных окном, ближайшее к их середине");
}

} // namespace DefaultPart

std::vector<Corner> CornersBetween(double a, double b)
{
    if (a == b)
        return {{QStringLiteral("hot"), a}};
    return {{QStringLiteral("cold"), std::min(a, b)}, {QStringLiteral("hot"), std::max(a, b)}};
}

QString CornerComment(const Corner &corner)
{
    return QStringLiteral("%1 corner: %2 C")
        .arg(corner.suffix == u"cold" ? QStringLiteral("Cold") : QStringLiteral("Hot"),
             Netlist::Number(corner.temperature));
}

// ---- Observing a trigger

namespace {

QString SampleName(const QString &what, std::size_t k)
{
    return QStringLiteral("%1_%2").arg(what).arg(k);
}

// "1-й, 3-й, 5-й"
QString Ordinals(const std::vector<int> &numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QStringLiteral("%1-й").arg(number);
    return texts.join(QStringLiteral(", "));
}

// The text with "%1", "%2"... replaced; a text that leaves a number out is fine.
QString Filled(QString text, const QStringList &values)
{
    for (qsizetype k = values.size(); k >= 1; --k)
        text.replace(QStringLiteral("%") + QString::number(k), values[k - 1]);
    return text;
}

QString CornerTitle(const Corner &corner)
{
    return Tr("при %1 °C").arg(FigureText(corner.temperature).replace(u'-', u'−'));
}

} // namespace

TriggerObserver::Counting TriggerObserver::InputPulses()
{
    return {Tr("Триггер переключается при каждом из %2 входных импульсов"),
            Tr("Триггер переключается при %1 из %2 входных импульсов: пропущены %3"),
            Tr("Триггер не переключается ни при одном из %2 входных импульсов")};
}

TriggerObserver::TriggerObserver(std::vector<double> inputs, std::vector<double> samples, Counting counting)
    : inputs_(std::move(inputs)), samples_(std::move(samples)), counting_(std::move(counting))
{}

void TriggerObserver::State(const QString &node, double swing)
{
    states_.emplace_back(node, swing);
}

void TriggerObserver::Amplitude(const QString &title, const QString &node, double calculated)
{
    probes_.push_back({.kind = Probe::Amplitude,
                       .title = title,
                       .unit = QStringLiteral("В"),
                       .vector = node,
                       .calculated = calculated});
}

void TriggerObserver::Edge(const QString &title, const QString &node, double from, double to, double calculated)
{
    probes_.push_back({.kind = Probe::Edge,
                       .title = title,
                       .unit = QStringLiteral("мкс"),
                       .scale = 1e6,
                       .vector = node,
                       .from = from,
                       .to = to,
                       .calculated = calculated});
}

void TriggerObserver::InState(const QString &title, const QString &unit, double scale, const QString &vector,
                              double calculated, bool least)
{
    probes_.push_back({.kind = Probe::InState,
                       .title = title,
                       .unit = unit,
                       .scale = scale,
                       .calculated = calculated,
                       .least = least,
                       .terms = {{vector, 1}}});
}

void TriggerObserver::PowerInState(const QString &title, const std::vector<std::pair<QString, double>> &supplies,
                                   double calculated, bool least)
{
    Probe probe{.kind = Probe::InState,
                .title = title,
                .unit = QStringLiteral("мВт"),
                .scale = 1e3,
                .calculated = calculated,
                .least = least};
    for (const auto &[source, volts] : supplies)
        probe.terms.emplace_back(QStringLiteral("i(%1)").arg(source), volts);
    probes_.push_back(probe);
}

void TriggerObserver::Supply(const QString &source, const QString &caption, double volts)
{
    const QString current = QStringLiteral("i(%1)").arg(source);
    Probe probe{.kind = Probe::Whole,
                .title = Tr("Средний ток источника %1").arg(caption),
                .unit = QStringLiteral("мА"),
                .scale = 1e3,
                .vector = current};
    probes_.push_back(probe);
    probe.title = Tr("Средняя мощность, потребляемая от %1").arg(caption);
    probe.unit = QStringLiteral("мВт");
    probe.weight = volts;
    probes_.push_back(probe);
}

void TriggerObserver::Ratings(const QString &transistor, const QString &device, double collectorCurrent,
                              double collectorBaseVoltage, double power)
{
    probes_.push_back({.kind = Probe::PeakCurrent,
                       .title = Tr("Ток коллектора %1, наибольший / допустимый").arg(transistor),
                       .unit = QStringLiteral("мА"),
                       .scale = 1e3,
                       .vector = device,
                       .calculated = collectorCurrent,
                       .transistor = transistor});
    probes_.push_back({.kind = Probe::PeakVoltage,
                       .title = Tr("Напряжение коллектор-база %1, наибольшее / допустимое").arg(transistor),
                       .unit = QStringLiteral("В"),
                       .vector = device,
                       .calculated = collectorBaseVoltage,
                       .transistor = transistor});
    probes_.push_back({.kind = Probe::Power,
                       .title = Tr("Мощность, рассеиваемая %1, средняя / допустимая").arg(transistor),
                       .unit = QStringLiteral("мВт"),
                       .scale = 1e3,
                       .vector = device,
                       .calculated = power,
                       .transistor = transistor});
}

void TriggerObserver::Write(Netlist *netlist) const
{
    const auto at = [](double time) { return Netlist::Number(time); };
    const auto param = [netlist](const QString &name, const QString &expression) {
        netlist->Measure(name, QStringLiteral("param='%1'").arg(expression));
    };
    const QString whole = QStringLiteral("FROM=%1 TO=%2").arg(at(inputs_.front()), at(netlist->StopTime()));
    for (const auto &[node, swing] : states_)
        for (std::size_t k = 0; k < samples_.size(); ++k)
            netlist->Measure(SampleName(QStringLiteral("s_") + node, k),
                             QStringLiteral("FIND %1 AT=%2")
                                 .arg(netlist->Vector(QStringLiteral("v(%1)").arg(node)), at(samples_[k])));
    // Every figure the table may show is a measurement of its own, so that `ngspice -b` gives it too.
    for (std::size_t p = 0; p < probes_.size(); ++p) {
        const Probe &probe = probes_[p];
        const QString name = QStringLiteral("p%1").arg(p);
        const QString device = QStringLiteral("@%1[%2]").arg(probe.vector);
        switch (probe.kind) {
        case Probe::Amplitude: {
            const QString state = QStringLiteral("s_") + probe.vector;
            for (std::size_t k = 1; k < samples_.size(); ++k)
                param(SampleName(name, k),
                      QStringLiteral("abs(%1-%2)")
                          .arg(netlist->Name(SampleName(state, k)), netlist->Name(SampleName(state, k - 1))));
            break;
        }
        case Probe::Edge: {
            const QString vector = netlist->Vector(QStringLiteral("v(%1)").arg(probe.vector));
            const QString direction = probe.to > probe.from ? QStringLiteral("RISE") : QStringLiteral("FALL");
            // Each input's edge, from the sample before it, between levels and after a time that Relevel() moves
            // to the switching it measures.
            for (std::size_t k = 0; k < inputs_.size(); ++k) {
                const QString measure = SampleName(name, k + 1);
                const auto parameter = [&](const char *what, double value) {
                    netlist->Parameter(measure + QLatin1StringView(what), value);
                    return netlist->Name(measure + QLatin1StringView(what));
                };
                const QString low = parameter("_lo", probe.from + 0.1 * (probe.to - probe.from));
                const QString high = parameter("_hi", probe.from + 0.9 * (probe.to - probe.from));
                const QString after = parameter("_td", samples_[k]);
                netlist->Measure(measure,
                                 QStringLiteral("TRIG %1 VAL={%2} TD={%4} %5=1 TARG %1 VAL={%3} TD={%4} %5=1")
                                     .arg(vector, low, high, after, direction));
            }
            break;
        }
        case Probe::InState:
            for (std::size_t t = 0; t < probe.terms.size(); ++t) {
                const QString vector = netlist->Vector(probe.terms[t].first);
                if (vector.startsWith(u'@'))
                    netlist->Save(vector);
                for (std::size_t k = 0; k < samples_.size(); ++k)
                    netlist->Measure(SampleName(QStringLiteral("%1_%2").arg(name).arg(t), k),
                                     QStringLiteral("FIND %1 AT=%2").arg(vector, at(samples_[k])));
            }
            for (std::size_t k = 0; k < samples_.size(); ++k) {
                QStringList sum;
                for (std::size_t t = 0; t < probe.terms.size(); ++t) {
                    const QString term = QStringLiteral("abs(%1)").arg(
                        netlist->Name(SampleName(QStringLiteral("%1_%2").arg(name).arg(t), k)));
                    sum << (probe.terms[t].second == 1 ? term : Netlist::Number(probe.terms[t].second) + u'*' + term);
                }
                param(SampleName(name, k), sum.join(u'+'));
            }
            break;
        case Probe::Whole:
            netlist->Measure(name + QStringLiteral("_avg"),
                             QStringLiteral("AVG %1 %2").arg(netlist->Vector(probe.vector), whole));
            param(name,
                  QStringLiteral("%1*abs(%2)")
                      .arg(Netlist::Number(probe.weight), netlist->Name(name + QStringLiteral("_avg"))));
            break;
        case Probe::PeakCurrent:
        case Probe::PeakVoltage: {
            const QString vector = netlist->Vector(
                device.arg(probe.kind == Probe::PeakCurrent ? QStringLiteral("ic") : QStringLiteral("vbc")));
            netlist->Save(vector);
            netlist->Measure(name + QStringLiteral("_max"), QStringLiteral("MAX %1 %2").arg(vector, whole));
            netlist->Measure(name + QStringLiteral("_min"), QStringLiteral("MIN %1 %2").arg(vector, whole));
            param(name,
                  QStringLiteral("max(abs(%1),abs(%2))")
                      .arg(netlist->Name(name + QStringLiteral("_max")), netlist->Name(name + QStringLiteral("_min"))));
            break;
        }
        case Probe::Power: {
            const QString vector = netlist->Vector(device.arg(QStringLiteral("p")));
            netlist->Save(vector);
            netlist->Measure(name, QStringLiteral("AVG %1 %2").arg(vector, whole));
            break;
        }
        }
    }
}

void TriggerObserver::JudgeRunsOf(Circuit *circuit) const
{
    circuit->judge = [observer = *this, corners = circuit->corners](const Measurements &measured) {
        return observer.Judge(measured, corners);
    };
    circuit->relevel = [observer = *this, corners = circuit->corners](const Measurements &measured, Netlist *netlist) {
        return observer.Relevel(measured, corners, netlist);
    };
    circuit->calculated.clear();
    for (const Probe &probe : probes_)
        circuit->calculated.emplace_back(probe.title, probe.calculated);
}

std::vector<bool> TriggerObserver::Switched(const std::function<double(const QString &, std::size_t)> &sample) const
{
    // An input switched the trigger when every state node moved by its swing from the sample before to the sample
    // after it.
    std::vector<bool> switched(inputs_.size() + 1, false);
    for (std::size_t k = 1; k <= inputs_.size(); ++k) {
        switched[k] = true;
        for (const auto &[node, swing] : states_)
            switched[k] = switched[k] && std::abs(sample(node, k) - sample(node, k - 1)) >= swing;
    }
    return switched;
}

std::size_t TriggerObserver::EdgeSwitching(const Probe &probe, std::size_t k, const std::vector<bool> &switched,
                                           const std::function<double(const QString &, std::size_t)> &sample) const
{
    for (std::size_t j = k; j <= inputs_.size(); ++j)
        if (switched[j] && (sample(probe.vector, j) > sample(probe.vector, j - 1)) == (probe.to > probe.from))
            return j;
    return 0;
}

bool TriggerObserver::Relevel(const Measurements &measured, const std::vector<Corner> &corners, Netlist *netlist) const
{
    bool any = false;
    for (const Corner &corner : corners) {
        const auto sample = [&](const QString &node, std::size_t k) {
            const auto found = measured.find(SampleName(QStringLiteral("s_") + node, k) + u'_' + corner.suffix);
            return found == measured.end() ? NAN : found->second;
        };
        const std::vector<bool> switched = Switched(sample);
        for (std::size_t p = 0; p < probes_.size(); ++p) {
            const Probe &probe = probes_[p];
            if (probe.kind != Probe::Edge)
                continue;
            any = true;
            // Each input's measurement takes the first switching from it on that moves the node the edge's way,
            // else the first of all, so that none fails in a trigger that switched both ways: the table reads only
            // an input's own switching.
            for (std::size_t k = 1; k <= inputs_.size(); ++k) {
                std::size_t j = EdgeSwitching(probe, k, switched, sample);
                if (j == 0)
                    j = EdgeSwitching(probe, 1, switched, sample);
                if (j == 0)
                    continue;
                const double from = sample(probe.vector, j - 1), to = sample(probe.vector, j);
                const QString measure = SampleName(QStringLiteral("p%1").arg(p), k);
                const auto set = [&](const char *what, double value) {
                    netlist->SetParameter(
                        QStringLiteral("%1%2_%3").arg(measure, QLatin1StringView(what), corner.suffix), value);
                };
                set("_lo", from + 0.1 * (to - from));
                set("_hi", from + 0.9 * (to - from));
                set("_td", samples_[j - 1]);
            }
        }
    }
    return any;
}

Verdict TriggerObserver::Judge(const Measurements &measured, const std::vector<Corner> &corners) const
{
    Verdict verdict;
    verdict.works = true;
    const int inputCount = int(inputs_.size());
    const int counted = inputCount / counting_.inputsPerCount;
    QStringList texts, exceeded;
    std::vector<FigureRow> rows;
    for (const Probe &probe : probes_)
        rows.push_back({probe.title, probe.unit, {}, {}, probe.calculated * probe.scale});
    for (const Corner &corner : corners) {
        const auto value = [&](const QString &name) {
            const auto found = measured.find(name + u'_' + corner.suffix);
            return found == measured.end() ? NAN : found->second;
        };
        const auto sample = [&](const QString &node, std::size_t k) {
            return value(SampleName(QStringLiteral("s_") + node, k));
        };
        const std::vector<bool> switched = Switched(sample);
        std::vector<int> missed;
        for (int count = 0; count < counted; ++count)
            for (int k = 1; k <= counting_.inputsPerCount; ++k)
                if (!switched[count * counting_.inputsPerCount + k]) {
                    missed.push_back(count + 1);
                    break;
                }
        verdict.works = verdict.works && missed.empty();
        const QString text = missed.empty() ? counting_.every
            : int(missed.size()) == counted ? counting_.none
                                            : counting_.some;
        texts << Filled(text,
                        {QString::number(counted - int(missed.size())), QString::number(counted), Ordinals(missed)});

        for (std::size_t p = 0; p < probes_.size(); ++p) {
            const Probe &probe = probes_[p];
            const QString name = QStringLiteral("p%1").arg(p);
            // The measurement the figure is: of the first switching (that moved the node the edge's way), of the
            // state the trigger held before or after a switching with the largest (least) value, or of the whole run.
            QString chosen;
            for (std::size_t k = 0; k <= inputs_.size(); ++k) {
                const bool held = (k > 0 && switched[k]) || (k < inputs_.size() && switched[k + 1]);
                const bool switching = k > 0 && switched[k]
                    && (probe.kind != Probe::Edge || EdgeSwitching(probe, k, switched, sample) == k);
                if (!(probe.kind == Probe::InState ? held : switching))
                    continue;
                const QString candidate = SampleName(name, k);
                if (probe.kind == Probe::InState) {
                    const double here = value(candidate), best = value(chosen);
                    if (chosen.isEmpty() || (probe.least ? here < best : here > best))
                        chosen = candidate;
                } else if (chosen.isEmpty()) {
                    chosen = candidate;
                }
            }
            if (probe.kind == Probe::Whole || probe.kind == Probe::Power || probe.kind == Probe::PeakCurrent
                || probe.kind == Probe::PeakVoltage)
                chosen = name;
            const double figure = chosen.isEmpty() ? NAN : value(chosen);
            rows[p].measures.push_back(chosen.isEmpty() || std::isnan(figure) ? QString()
                                                                              : chosen + u'_' + corner.suffix);
            rows[p].measured.push_back(figure * probe.scale);
        }
    }
    // Each limit exceeded is named once, at its worst corner.
    for (std::size_t p = 0; p < probes_.size(); ++p) {
        const Probe &probe = probes_[p];
        const std::vector<double> &measured = rows[p].measured;
        const auto worst = std::max_element(measured.begin(), measured.end(), [](double a, double b) {
            return std::isnan(a) || (!std::isnan(b) && b > a);
        });
        if (probe.transistor.isEmpty() || worst == measured.end() || !(*worst > rows[p].calculated))
            continue;
        const QString limit = probe.kind == Probe::PeakCurrent
            ? Tr("ток коллектора %1 %2 мА%4 больше допустимого %3 мА")
            : probe.kind == Probe::PeakVoltage ? Tr("напряжение коллектор-база %1 %2 В%4 больше допустимого %3 В")
                                               : Tr("мощность, рассеиваемая %1, %2 мВт%4 больше допустимой %3 мВт");
        const QString where =
            corners.size() > 1 ? u' ' + CornerTitle(corners[std::size_t(worst - measured.begin())]) : QString();
        exceeded << Filled(limit, {probe.transistor, FigureText(*worst, 3), FigureText(rows[p].calculated, 3), where});
    }
    // The same outcome in both corners is said once; else each corner's.
    if (texts.size() > 1 && texts.first() != texts.last()) {
        for (qsizetype c = 0; c < texts.size(); ++c) {
            QString text = texts[c];
            text[0] = text[0].toLower();
            QString title = CornerTitle(corners[c]);
            if (c == 0)
                title[0] = title[0].toUpper();
            texts[c] = QStringLiteral("%1: %2").arg(title, text);
        }
        verdict.text = texts.join(QStringLiteral("; "));
    } else {
        verdict.text = texts.first();
    }
    if (!exceeded.isEmpty()) {
        verdict.works = false;
        verdict.text += Tr(", но ") + exceeded.join(QStringLiteral(", "));
    }
    verdict.rows = std::move(rows);
    return verdict;
}
