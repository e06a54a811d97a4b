#pragma once

#include "simulation/circuit.h"
#include "simulation/ngspice_session.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class QWidget;

// A calculator window's circuit run through ngspice: what it measured and the verdict drawn from it.
struct SimulationReport
{
    Circuit circuit;
    SimulationOutcome outcome;
    Verdict verdict;
};

// Whether the window has a circuit to simulate («Расчёт» → «Моделирование…» and «Экспорт схемы SPICE…»).
bool CanSimulate(QWidget *window);

// Builds the window's circuit from what it holds and runs it; a failure names the boxes to fill, or is
// ngspice's own message; a run stopped through `control` is cancelled. Blocks: the window of the simulation
// calls it on a worker thread.
Outcome<> Simulate(QWidget *window, SimulationReport *report, const RunControl &control = {});
// The same, for a circuit already built (on the user-interface thread).
Outcome<> Simulate(SimulationReport *report, const RunControl &control = {});

// Writes the window's circuit as a self-contained netlist that `ngspice -b` runs with the same measurements.
Outcome<> ExportNetlist(QWidget *window, const QString &path);

// One JSON object: "verdict", "works", "corners" (each corner's temperature, °C, under its suffix), "measured"
// (each measurement of the netlist by name, SI), "figures" (the table: each row's "title", "unit", "measured"
// under each corner's suffix and "calculated", in that unit) and "parameters" (each one's "key", "caption",
// "value" in its unit and "unit").
// A failure when the window cannot be simulated.
Outcome<QByteArray> SimulationJson(QWidget *window);

// «Параметры моделирования» the window's circuit is built with, as the simulation window shows them: each one's
// caption, value in its unit (the window's decimal mark) and unit. Empty when the window has no circuit or the
// circuit cannot be built yet.
struct ParameterText
{
    QString caption, value, unit;
};
std::vector<ParameterText> SimulationParameterTexts(QWidget *window);
// The same of the parameters a circuit was built with.
std::vector<ParameterText> ParameterTexts(const std::vector<SimulationParameter> &parameters);

// Opens «Моделирование» for the calculator window and starts its simulation.
void ShowSimulation(QWidget *calculatorWindow);

// A simulation's result as «Моделирование» shows it: the values it was run with beyond the calculator's own,
// the verdict, and the table of measured and calculated figures.
struct SimulationSection
{
    std::vector<ParameterText> parameters;
    QString verdict;
    QStringList columns;
    QList<QStringList> rows;
};

// The result «Моделирование» shows for the calculator window, when it was simulated from exactly the values
// the window holds now; none when there is none, or it is of other values.
std::optional<SimulationSection> CurrentSimulation(QWidget *calculatorWindow);
