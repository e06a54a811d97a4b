#include "simulation/simulation.h"

#include "files/save_file.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

#include <cfenv>

bool CanSimulate(QWidget *window)
{
    return window && HasCircuit(window->objectName());
}

namespace {

// A design whose edges are tiny against its period would take hours: it is refused before it runs.
constexpr double kMostSteps = 2e6;

} // namespace

Outcome<> Simulate(SimulationReport *report, const RunControl &control)
{
    const Netlist &netlist = report->circuit.netlist;
    if (!(netlist.StopTime() / netlist.MaxStep() <= kMostSteps))
        return Failure{QCoreApplication::translate("Simulation",
                                                   "Моделирование заняло бы более %1 шагов: длительности в схеме "
                                                   "слишком различны")
                           .arg(kMostSteps, 0, 'g')};
    QStringList vectors;
    for (const Corner &corner : report->circuit.corners)
        for (const Trace &trace : report->circuit.traces)
            vectors << Netlist::Scoped(trace.vector, corner.suffix);
    const auto run = [&] {
        report->outcome =
            RunSimulation(report->circuit.netlist.Text(), report->circuit.netlist.MeasureNames(), vectors, control);
        return report->outcome.end;
    };
    // An edge is measured between 10 and 90 % of the swing that took place, which only a run tells: the first one
    // gives the levels to the second, whose measurements are those `ngspice -b` gives of the exported netlist.
    if (Outcome<> first = run(); !first)
        return first;
    Circuit &circuit = report->circuit;
    if (circuit.relevel && circuit.relevel(report->outcome.measured, &circuit.netlist))
        if (Outcome<> second = run(); !second)
            return second;
    // Judging compares figures that may be NaN: the caller's floating-point flags stay as they were.
    fenv_t environment;
    fegetenv(&environment);
    report->verdict = report->circuit.judge(report->outcome.measured);
    fesetenv(&environment);
    return {};
}

Outcome<> Simulate(QWidget *window, SimulationReport *report, const RunControl &control)
{
    if (Outcome<> built = BuildCircuit(window, &report->circuit); !built)
        return built;
    return Simulate(report, control);
}

Outcome<> ExportNetlist(QWidget *window, const QString &path)
{
    SimulationReport report;
    if (Outcome<> built = BuildCircuit(window, &report.circuit); !built)
        return built;
    // The edges' levels are those of a run: without ngspice the netlist keeps the calculated ones.
    (void)Simulate(&report);
    if (const Outcome<> saved = SaveFile(path, report.circuit.netlist.Text().toUtf8()); !saved)
        return Failure{QStringLiteral("%1: %2").arg(path, saved.Message())};
    return {};
}

Outcome<QByteArray> SimulationJson(QWidget *window)
{
    SimulationReport report;
    if (const Outcome<> simulated = Simulate(window, &report); !simulated)
        return simulated.Why();
    QJsonObject measured, corners;
    for (const auto &[name, value] : report.outcome.measured)
        measured.insert(name, value);
    for (const Corner &corner : report.circuit.corners)
        corners.insert(corner.suffix, corner.temperature);
    // JSON has no NaN: a figure not measured or not calculated is null.
    const auto number = [](double value) { return std::isfinite(value) ? QJsonValue(value) : QJsonValue(); };
    QJsonArray figures, parameters;
    for (const FigureRow &row : report.verdict.rows) {
        QJsonObject byCorner, measures;
        for (std::size_t c = 0; c < row.measured.size() && c < report.circuit.corners.size(); ++c) {
            byCorner.insert(report.circuit.corners[c].suffix, number(row.measured[c]));
            measures.insert(report.circuit.corners[c].suffix,
                            row.measures[c].isEmpty() ? QJsonValue() : QJsonValue(row.measures[c]));
        }
        figures.append(QJsonObject{{QStringLiteral("title"), row.title},
                                   {QStringLiteral("unit"), row.unit},
                                   {QStringLiteral("measured"), byCorner},
                                   {QStringLiteral("measures"), measures},
                                   {QStringLiteral("calculated"), number(row.calculated)}});
    }
    for (const SimulationParameter &parameter : report.circuit.parameters)
        parameters.append(QJsonObject{{QStringLiteral("key"), parameter.key},
                                      {QStringLiteral("caption"), parameter.caption},
                                      {QStringLiteral("value"), parameter.value * parameter.scale},
                                      {QStringLiteral("unit"), parameter.unit}});
    const QJsonObject json{{QStringLiteral("verdict"), report.verdict.text},
                           {QStringLiteral("works"), report.verdict.works},
                           {QStringLiteral("corners"), corners},
                           {QStringLiteral("measured"), measured},
                           {QStringLiteral("figures"), figures},
                           {QStringLiteral("parameters"), parameters}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n';
}

std::vector<ParameterText> ParameterTexts(const std::vector<SimulationParameter> &parameters)
{
    std::vector<ParameterText> texts;
    for (const SimulationParameter &parameter : parameters)
        texts.push_back({parameter.caption, FigureText(parameter.value * parameter.scale, 6), parameter.unit});
    return texts;
}

std::vector<ParameterText> SimulationParameterTexts(QWidget *window)
{
    Circuit circuit;
    if (!CanSimulate(window) || !BuildCircuit(window, &circuit))
        return {};
    return ParameterTexts(circuit.parameters);
}
