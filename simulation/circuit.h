#pragma once

#include "simulation/netlist.h"

#include <QString>
#include <QStringList>

#include <cmath>
#include <functional>
#include <map>
#include <vector>

class QWidget;

using Measurements = std::map<QString, double>;

// A figure the simulation measures (a ".meas" of the netlist), beside the one the window calculated.
struct Figure
{
    QString measure;         // the measurement's name in the netlist
    QString title;           // what it is, as the table says it
    QString unit;            // the unit the table shows it in
    double scale = 1;        // from SI to that unit
    double calculated = NAN; // SI; NaN where the window calculates none
    QString calculatedName;  // the window quantity it is compared with
};

// A waveform to plot: an ngspice vector and its legend.
struct Trace
{
    QString vector;
    QString title;
};

struct Verdict
{
    bool works = false;
    QString text;
};

// A window's circuit ready to run: the netlist, what to plot, the figures to compare and how the
// measured samples of its waveforms decide whether the trigger works.
struct Circuit
{
    Netlist netlist{QString()};
    std::vector<Trace> traces;
    std::vector<Figure> figures;
    std::function<Verdict(const Measurements &)> judge;
};

// The window's data a circuit is built from: edit boxes by object name, quantities by name. Whatever is
// empty or not a number is collected, so that one message names every box to fill.
class CircuitInputs
{
public:
    explicit CircuitInputs(QWidget *window);

    // The number typed in the box; `caption` names the box in the message.
    double Box(const char *editName, const QString &caption);
    // A quantity a step calculated; zero means the step has not been run.
    double Calculated(const char *quantityName, const QString &step);
    // A calculated quantity for comparison only: NaN when its step has not been run.
    double Compared(const char *quantityName) const;

    QStringList Missing() const { return missing_; }

private:
    QWidget *window_;
    QStringList missing_;
};

using CircuitBuilder = std::function<Circuit(CircuitInputs &inputs)>;

// Each calculator window contributes its circuit under its object name.
bool RegisterCircuit(const QString &windowName, CircuitBuilder builder);

bool HasCircuit(const QString &windowName);

// The window's circuit, or an empty netlist and the message that names what to fill.
bool BuildCircuit(QWidget *window, Circuit *circuit, QString *error);

// The texts of a verdict: what is said when it works, and what a reason of failure follows.
struct VerdictTexts
{
    QString works, failure;
};

// What the windows' circuits share.
namespace Circuits {

// The netlist's sample measurements of a quantity at given moments: names "<prefix><k>" for k = 1...
QStringList SampleAt(Netlist *netlist, const QString &prefix, const QString &vector, const std::vector<double> &times);

// A trigger that switches at every input makes the samples, taken between inputs, alternate between two
// levels at least `swing` apart; the k-th change comes with the k-th input, which `input` names for a failure
// ("после %1-го входного импульса").
Verdict JudgeAlternation(const Measurements &measured, const QStringList &first, const QStringList &second,
                         double swing, const QString &input);

Verdict JudgeAlternation(const Measurements &measured, const QStringList &first, const QStringList &second,
                         double swing, const QString &input, const VerdictTexts &texts);

} // namespace Circuits
