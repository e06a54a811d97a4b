#include "simulation/simulation.h"

#include "files/save_file.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

bool CanSimulate(QWidget *window)
{
    return window && HasCircuit(window->objectName());
}

namespace {

// A design whose edges are tiny against its period would take hours: it is refused before it runs.
constexpr double kMostSteps = 2e6;

} // namespace

bool Simulate(SimulationReport *report, QString *error, const RunControl &control)
{
    const Netlist &netlist = report->circuit.netlist;
    if (!(netlist.StopTime() / netlist.MaxStep() <= kMostSteps)) {
        *error = QCoreApplication::translate("Simulation",
                                             "Моделирование заняло бы более %1 шагов: длительности в схеме слишком "
                                             "различны")
                     .arg(kMostSteps, 0, 'g');
        return false;
    }
    QStringList vectors;
    for (const Trace &trace : report->circuit.traces)
        vectors << trace.vector;
    report->outcome =
        RunSimulation(report->circuit.netlist.Text(), report->circuit.netlist.MeasureNames(), vectors, control);
    if (!report->outcome.error.isEmpty()) {
        *error = report->outcome.error;
        return false;
    }
    report->verdict = report->circuit.judge(report->outcome.measured);
    return true;
}

bool Simulate(QWidget *window, SimulationReport *report, QString *error, const RunControl &control)
{
    return BuildCircuit(window, &report->circuit, error) && Simulate(report, error, control);
}

bool ExportNetlist(QWidget *window, const QString &path, QString *error)
{
    Circuit circuit;
    if (!BuildCircuit(window, &circuit, error))
        return false;
    QString cause;
    if (SaveFile(path, circuit.netlist.Text().toUtf8(), &cause))
        return true;
    *error = QStringLiteral("%1: %2").arg(path, cause);
    return false;
}

QByteArray SimulationJson(QWidget *window, QString *error)
{
    SimulationReport report;
    if (!Simulate(window, &report, error))
        return {};
    QJsonObject measured, calculated;
    for (const auto &[name, value] : report.outcome.measured)
        measured.insert(name, value);
    for (const Figure &figure : report.circuit.figures)
        if (std::isfinite(figure.calculated))
            calculated.insert(figure.measure, figure.calculated);
    const QJsonObject json{{QStringLiteral("verdict"), report.verdict.text},
                           {QStringLiteral("works"), report.verdict.works},
                           {QStringLiteral("measured"), measured},
                           {QStringLiteral("calculated"), calculated}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n';
}
