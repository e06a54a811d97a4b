#include "tolerance/tolerance_analysis.h"

#include "standard_values/units.h"
#include "tolerance/ngspice_processes.h"
#include "window_structure/window_reading.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>

#include <algorithm>
#include <cfenv>
#include <random>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("Tolerance", text);
}

// Margins are looked for between a tenth and ten times the nominal value, to 1 %.
constexpr double kSearchSpan = 10;
constexpr double kMarginPrecision = 1.01;
// Bisection steps from the span to the precision, and the probe at the span's end.
constexpr int kMarginRounds = 9;

const QString kGainWords = QStringLiteral("коэффициент передачи тока");
const QString kReverseCurrentWords = QStringLiteral("обратный ток коллектора");

double PowerOfTen(const QString &unit)
{
    const Unit *found = FindUnit(QString(u' ' + unit.trimmed()));
    return found ? std::pow(10.0, found->powerOfTen) : 1;
}

std::optional<Dimension> DimensionOf(const QString &unit)
{
    const Unit *found = FindUnit(QString(u' ' + unit.trimmed()));
    return found ? std::optional(found->dimension) : std::nullopt;
}

PartKind KindOf(const QString &unit)
{
    const auto dimension = DimensionOf(unit);
    return dimension == Dimension::Resistance ? PartKind::Resistor
        : dimension == Dimension::Capacitance ? PartKind::Capacitor
                                              : PartKind::Drive;
}

// The part a box the circuit read stands for, if it is one that spreads: an accepted resistor or capacitor, a
// transistor's β or reverse current.
std::optional<TolerancePart> BoxPart(const CircuitInputs::Read &read, const BoxReading &box)
{
    TolerancePart part{.name = read.caption, .keys = {read.key}, .nominal = read.value, .unit = box.unit.trimmed()};
    part.toSI = PowerOfTen(part.unit);
    if (read.caption.contains(u'β') || read.caption.contains(kGainWords)) {
        // The same transistor's β at both temperatures is one part: "β1 при tmin", "β1 при tmax".
        part.name =
            read.caption.contains(u'β') ? read.caption.section(QStringLiteral(" при "), 0, 0) : QStringLiteral("β");
        part.kind = PartKind::Gain;
        part.unit.clear();
        part.toSI = 1;
    } else if (read.caption.startsWith(kReverseCurrentWords)) {
        part.name = QStringLiteral("Iкбо") + read.caption.mid(kReverseCurrentWords.size());
        part.kind = PartKind::ReverseCurrent;
    } else if (box.result && KindOf(part.unit) != PartKind::Drive) {
        part.kind = KindOf(part.unit);
        part.hasMargin = true;
    } else {
        return std::nullopt;
    }
    return part;
}

struct Judged
{
    bool judged = false, works = false;
    double swing = NAN;
    QString failure;
};

// The output swing of a run: the first figure in volts, the smaller of the corners; NaN where one is missing.
double SwingOf(const Verdict &verdict)
{
    for (const FigureRow &row : verdict.rows) {
        if (row.unit != u"В")
            continue;
        double swing = INFINITY;
        for (double value : row.measured)
            swing = std::isnan(value) ? NAN : std::min(swing, value);
        return std::isfinite(swing) ? swing : NAN;
    }
    return NAN;
}

class Analysis
{
public:
    Analysis(QWidget *window, const std::vector<TolerancePart> &parts, const ToleranceOptions &options,
             const ToleranceControl &control, ToleranceResult *result)
        : parts_(parts), options_(options), control_(control), result_(result)
    {
        if (!control_.build)
            control_.build = [window](const std::map<QString, double> &factors, Circuit *circuit) {
                return BuildCircuit(window, factors, circuit);
            };
        for (const TolerancePart &part : parts_)
            sides_ += part.hasMargin && Wanted(part) ? 2 : 0;
        total_ = 1 + sides_ * kMarginRounds + options_.runs;
    }

    Outcome<> Run();

private:
    using Factors = std::map<QString, double>;

    bool Wanted(const TolerancePart &part) const
    {
        return options_.findMargins && (options_.marginParts.isEmpty() || options_.marginParts.contains(part.name));
    }
    bool Cancelled() const { return control_.cancel && control_.cancel->load(); }
    Factors Scaled(const TolerancePart &part, double factor) const;
    std::vector<Judged> RunVariants(const std::vector<Factors> &variants);
    void FindMargins();
    void MonteCarlo();
    QString Warning(const TolerancePart &part, const Margin &margin) const;

    const std::vector<TolerancePart> &parts_;
    const ToleranceOptions &options_;
    ToleranceControl control_;
    ToleranceResult *result_;
    int sides_ = 0, total_ = 0;
    std::atomic_int done_ = 0;
};

Analysis::Factors Analysis::Scaled(const TolerancePart &part, double factor) const
{
    Factors factors;
    for (const QString &key : part.keys)
        factors[key] = factor;
    return factors;
}

std::vector<Judged> Analysis::RunVariants(const std::vector<Factors> &variants)
{
    std::vector<Judged> judged(variants.size());
    std::vector<Circuit> circuits(variants.size());
    std::vector<NetlistRun> runs;
    std::vector<std::size_t> ran;
    for (std::size_t k = 0; k < variants.size(); ++k) {
        if (const Outcome<> built = control_.build(variants[k], &circuits[k])) {
            runs.push_back({circuits[k].netlist.Text(), circuits[k].netlist.MeasureNames()});
            ran.push_back(k);
        } else {
            judged[k].failure = built.IsCancelled() ? Tr("отменено") : built.Message();
            ++done_;
        }
    }
    const std::vector<NetlistRunOutcome> outcomes =
        RunNetlists(runs, options_.jobs > 0 ? options_.jobs : DefaultJobs(), control_.cancel, [this] {
            const int done = ++done_;
            if (control_.progress)
                control_.progress(std::min(done, total_), total_);
        });
    // Judging compares figures that may be NaN: the caller's floating-point flags stay as they were.
    fenv_t environment;
    fegetenv(&environment);
    for (std::size_t r = 0; r < ran.size(); ++r) {
        Judged &run = judged[ran[r]];
        run.failure = outcomes[r].failure;
        if (!run.failure.isEmpty())
            continue;
        const Verdict verdict = circuits[ran[r]].judge(outcomes[r].measured);
        run.judged = true;
        run.works = verdict.works;
        run.swing = SwingOf(verdict);
    }
    fesetenv(&environment);
    return judged;
}

void Analysis::FindMargins()
{
    // Each side of each part moves its factor between the last value that works and the first that does not.
    struct Side
    {
        std::size_t part;
        double bound, good = 1, bad = NAN;
        bool open = true, failed = false;
    };
    std::vector<Side> sides;
    for (std::size_t p = 0; p < parts_.size(); ++p)
        if (parts_[p].hasMargin && Wanted(parts_[p]))
            for (double bound : {1 / kSearchSpan, kSearchSpan})
                sides.push_back({.part = p, .bound = bound});
    while (!Cancelled()) {
        std::vector<Factors> variants;
        std::vector<std::pair<Side *, double>> probes;
        for (Side &side : sides) {
            if (!side.open)
                continue;
            const double factor = std::isnan(side.bad) ? side.bound : std::sqrt(side.good * side.bad);
            probes.emplace_back(&side, factor);
            variants.push_back(Scaled(parts_[side.part], factor));
        }
        if (probes.empty())
            break;
        const std::vector<Judged> judged = RunVariants(variants);
        for (std::size_t k = 0; k < probes.size(); ++k) {
            auto &[side, factor] = probes[k];
            if (!judged[k].judged) {
                side->open = false;
                side->failed = true;
                if (!Cancelled())
                    result_->failures << Tr("запас %1 при %2 × номинал: %3")
                                             .arg(parts_[side->part].name, FigureText(factor), judged[k].failure);
                continue;
            }
            (judged[k].works ? side->good : side->bad) = factor;
            side->open =
                !std::isnan(side->bad) && std::max(side->good / side->bad, side->bad / side->good) > kMarginPrecision;
        }
    }
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        const TolerancePart &part = parts_[p];
        if (!part.hasMargin || !Wanted(part))
            continue;
        Margin margin{.part = part.name, .unit = part.unit, .nominal = part.nominal, .warning = {}};
        for (const Side &side : sides) {
            if (side.part != p)
                continue;
            const double edge = side.failed || side.open || std::isnan(side.bad) ? NAN : side.good * part.nominal;
            (side.bound < 1 ? margin.low : margin.high) = edge;
        }
        margin.warning = Warning(part, margin);
        result_->margins.push_back(margin);
    }
}

QString Analysis::Warning(const TolerancePart &part, const Margin &margin) const
{
    if (part.kind != PartKind::Resistor && part.kind != PartKind::Capacitor)
        return {};
    const double tolerance =
        part.kind == PartKind::Resistor ? options_.tolerances.resistor : options_.tolerances.capacitor;
    const bool belowLow = margin.low > part.nominal * (1 - tolerance);
    const bool aboveHigh = margin.high < part.nominal * (1 + tolerance);
    if (!belowLow && !aboveHigh)
        return {};
    const auto value = [&](double number) { return QStringLiteral("%1 %2").arg(PartValueText(number), part.unit); };
    QString text = Tr("%1 = %2 ±%3 % выходит за границу %4")
                       .arg(part.name, value(part.nominal), FigureText(tolerance * 100),
                            value(belowLow ? margin.low : margin.high));
    // The standard value whose whole tolerance lies within the margin, nearest to the nominal one.
    double standard = NAN;
    if (belowLow && !aboveHigh) {
        standard = DefaultPart::Above(margin.low / (1 - tolerance));
        if (standard * (1 + tolerance) > margin.high)
            standard = NAN;
    } else if (aboveHigh && !belowLow) {
        standard = DefaultPart::Below(margin.high / (1 + tolerance));
        if (standard * (1 - tolerance) < margin.low)
            standard = NAN;
    }
    return text
        + (std::isfinite(standard) ? Tr(": возьмите %1").arg(value(standard))
                                   : Tr(": ни одно стандартное значение с таким допуском не укладывается в запас"));
}

void Analysis::MonteCarlo()
{
    // Every deviation is drawn here, in the order of the runs and the parts: the same seed gives the same runs on
    // any number of workers.
    std::mt19937_64 generator(options_.seed);
    const auto uniform = [&generator] { return double(generator() >> 11) * 0x1p-53; };
    const Tolerances &tolerances = options_.tolerances;
    std::vector<Factors> variants(std::size_t(std::max(options_.runs, 0)));
    std::vector<std::vector<double>> deviations(variants.size(), std::vector<double>(parts_.size(), 0));
    for (std::size_t r = 0; r < variants.size(); ++r) {
        for (std::size_t p = 0; p < parts_.size(); ++p) {
            const TolerancePart &part = parts_[p];
            if (part.kind == PartKind::Drive)
                continue;
            const double u = uniform();
            const double factor = part.kind == PartKind::Resistor ? 1 + tolerances.resistor * (2 * u - 1)
                : part.kind == PartKind::Capacitor                ? 1 + tolerances.capacitor * (2 * u - 1)
                : part.kind == PartKind::Gain                     ? 1 + (tolerances.gainSpread - 1) * u
                                                                  : u;
            deviations[r][p] = 2 * u - 1;
            for (const QString &key : part.keys)
                variants[r][key] = factor;
        }
    }
    const std::vector<Judged> judged = RunVariants(variants);
    std::vector<double> sum[2], square(parts_.size(), 0);
    sum[0].assign(parts_.size(), 0);
    sum[1].assign(parts_.size(), 0);
    int counted[2] = {0, 0};
    for (std::size_t r = 0; r < judged.size(); ++r) {
        if (!judged[r].judged) {
            if (!Cancelled())
                result_->failures << Tr("прогон %1: %2").arg(r + 1).arg(judged[r].failure);
            continue;
        }
        ++result_->runs;
        result_->works += judged[r].works;
        result_->swings.push_back(judged[r].swing);
        ++counted[judged[r].works];
        for (std::size_t p = 0; p < parts_.size(); ++p) {
            sum[judged[r].works][p] += deviations[r][p];
            square[p] += deviations[r][p] * deviations[r][p];
        }
    }
    result_->yield = result_->runs ? double(result_->works) / result_->runs : NAN;
    std::tie(result_->low, result_->high) = WilsonInterval(result_->works, result_->runs);
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        if (parts_[p].kind == PartKind::Drive)
            continue;
        double separation = 0;
        if (counted[0] && counted[1]) {
            const int runs = counted[0] + counted[1];
            const double mean = (sum[0][p] + sum[1][p]) / runs;
            const double spread = std::sqrt(std::max(square[p] / runs - mean * mean, 0.0));
            if (spread > 0)
                separation = std::abs(sum[0][p] / counted[0] - sum[1][p] / counted[1]) / spread;
        }
        result_->sensitivity.push_back({parts_[p].name, separation});
    }
    std::stable_sort(result_->sensitivity.begin(), result_->sensitivity.end(),
                     [](const Sensitivity &a, const Sensitivity &b) { return a.separation > b.separation; });
}

Outcome<> Analysis::Run()
{
    result_->seed = options_.seed;
    const std::vector<Judged> nominal = RunVariants({Factors{}});
    if (!nominal.front().judged) {
        // Nothing is known of a design whose nominal run was stopped: not even whether it works.
        result_->cancelled = Cancelled();
        if (result_->cancelled)
            return ::Cancelled{};
        return Failure{Tr("Схему не удалось промоделировать: %1").arg(nominal.front().failure)};
    }
    result_->nominalWorks = nominal.front().works;
    // A design that does not work has no range that works around its values.
    if (result_->nominalWorks)
        FindMargins();
    if (!Cancelled())
        MonteCarlo();
    result_->cancelled = Cancelled();
    return {};
}

QJsonValue Number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}

} // namespace

Outcome<std::vector<TolerancePart>> ToleranceParts(QWidget *window)
{
    Circuit circuit;
    std::vector<CircuitInputs::Read> reads;
    if (const Outcome<> built = BuildCircuit(window, {}, &circuit, &reads); !built)
        return built.Why();
    const WindowReading reading = ReadWindow(window);
    std::vector<TolerancePart> parts;
    const auto add = [&parts](TolerancePart part) {
        for (TolerancePart &known : parts) {
            if (known.name != part.name)
                continue;
            if (!known.keys.contains(part.keys.front()))
                known.keys << part.keys;
            return;
        }
        parts.push_back(part);
    };
    for (const CircuitInputs::Read &read : reads) {
        const auto parameter = std::find_if(circuit.parameters.begin(), circuit.parameters.end(),
                                            [&read](const SimulationParameter &p) { return p.key == read.key; });
        if (parameter != circuit.parameters.end()) {
            add({.name = parameter->caption,
                 .keys = {read.key},
                 .kind = KindOf(parameter->unit),
                 .nominal = read.value * parameter->scale,
                 .unit = parameter->unit,
                 .toSI = 1 / parameter->scale,
                 .hasMargin = true});
            continue;
        }
        const auto box = std::find_if(reading.boxes.begin(), reading.boxes.end(), [&read](const BoxReading &box) {
            return box.box && box.box->objectName() == read.key;
        });
        if (box == reading.boxes.end())
            continue;
        if (const auto part = BoxPart(read, *box))
            add(*part);
    }
    if (parts.empty())
        return Failure{Tr("В схеме нет деталей, разброс которых можно учесть")};
    return parts;
}

Outcome<> AnalyseTolerance(QWidget *window, const std::vector<TolerancePart> &parts, const ToleranceOptions &options,
                           ToleranceResult *result, const ToleranceControl &control)
{
    *result = ToleranceResult{};
    return Analysis(window, parts, options, control, result).Run();
}

ToleranceRecord RecordOf(const ToleranceResult &result, const ToleranceOptions &options, const QString &netlist)
{
    // The window shows the failures' count and the first three.
    constexpr int kNamedFailures = 3;
    constexpr int kBins = 20;
    ToleranceRecord record{.netlist = NetlistDigest(netlist),
                           .runs = options.runs,
                           .seed = result.seed,
                           .tolerances = options.tolerances,
                           .nominalWorks = result.nominalWorks,
                           .cancelled = result.cancelled,
                           .judged = result.runs,
                           .works = result.works,
                           .yield = result.yield,
                           .low = result.low,
                           .high = result.high,
                           .swings = {},
                           .margins = result.margins,
                           .sensitivity = result.sensitivity,
                           .failed = int(result.failures.size()),
                           .failures = result.failures.mid(0, kNamedFailures)};
    std::vector<double> swings;
    std::copy_if(result.swings.begin(), result.swings.end(), std::back_inserter(swings),
                 [](double swing) { return std::isfinite(swing); });
    if (swings.empty())
        return record;
    const auto [least, largest] = std::minmax_element(swings.begin(), swings.end());
    record.swings = {.least = *least, .largest = *largest, .counts = std::vector<int>(kBins, 0)};
    const double width = std::max(*largest - *least, 1e-9) / kBins;
    for (double swing : swings)
        ++record.swings.counts[std::size_t(std::min(kBins - 1, int((swing - *least) / width)))];
    return record;
}

QString NetlistDigest(const QString &netlist)
{
    return QString::fromLatin1(QCryptographicHash::hash(netlist.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString PartValueText(double value)
{
    return FigureText(QString::number(value, 'g', 4).toDouble(), 15);
}

std::pair<double, double> WilsonInterval(int successes, int runs)
{
    if (runs <= 0)
        return {0, 1};
    constexpr double z = 1.959963984540054;
    const double n = runs, share = successes / n;
    const double denominator = 1 + z * z / n;
    const double centre = (share + z * z / (2 * n)) / denominator;
    const double half = z * std::sqrt(share * (1 - share) / n + z * z / (4 * n * n)) / denominator;
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

QByteArray ToleranceJson(const std::vector<TolerancePart> &parts, const ToleranceResult &result)
{
    QJsonObject margins;
    QJsonArray warnings, sensitivity, failures;
    for (const Margin &margin : result.margins) {
        const auto part =
            std::find_if(parts.begin(), parts.end(), [&](const TolerancePart &p) { return p.name == margin.part; });
        const double toSI = part != parts.end() ? part->toSI : 1;
        margins.insert(margin.part,
                       QJsonObject{{QStringLiteral("nominal"), Number(margin.nominal * toSI)},
                                   {QStringLiteral("low"), Number(margin.low * toSI)},
                                   {QStringLiteral("high"), Number(margin.high * toSI)}});
        if (!margin.warning.isEmpty())
            warnings.append(margin.warning);
    }
    for (const Sensitivity &part : result.sensitivity)
        sensitivity.append(
            QJsonObject{{QStringLiteral("part"), part.part}, {QStringLiteral("separation"), part.separation}});
    for (const QString &failure : result.failures)
        failures.append(failure);
    const QJsonObject json{{QStringLiteral("seed"), QString::number(result.seed)},
                           {QStringLiteral("runs"), result.runs},
                           {QStringLiteral("works"), result.works},
                           {QStringLiteral("yield"), Number(result.yield)},
                           {QStringLiteral("interval"), QJsonArray{Number(result.low), Number(result.high)}},
                           {QStringLiteral("nominal_works"), result.nominalWorks},
                           {QStringLiteral("margins"), margins},
                           {QStringLiteral("warnings"), warnings},
                           {QStringLiteral("sensitivity"), sensitivity},
                           {QStringLiteral("failures"), failures}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n';
}
