#pragma once

#include "arithmetic/extended.h"
#include "outcome/outcome.h"
#include "simulation/netlist.h"

#include <QString>
#include <QStringList>

#include <cmath>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class QLineEdit;
class QWidget;
struct QMetaObject;

using Measurements = std::map<QString, double>;

// One end of the temperature range a design must work over, with the transistors' data there. Both corners run
// side by side in one netlist, their names ending in "_<suffix>".
struct Corner
{
    QString suffix;     // "cold", "hot"
    double temperature; // °C
};

// A row of the table: what the simulation measured in each corner beside what the window calculated of the same
// thing, both in `unit`.
struct FigureRow
{
    QString title;
    QString unit;
    std::vector<double> measured;  // one for each corner; NaN where nothing was measured
    std::vector<QString> measures; // the netlist's measurement each one is; empty where none
    double calculated = NAN;       // NaN where the window calculates none
};

struct Verdict
{
    bool works = false;
    QString text;
    std::vector<FigureRow> rows;
};

// A waveform to plot: an ngspice vector and its legend.
struct Trace
{
    QString vector;
    QString title;
};

// A part or a drive of the schematic that the method does not size: the simulation uses `value`, which is the
// default unless the user typed another in «Параметры моделирования».
struct SimulationParameter
{
    QString key;         // under which the calculation file keeps it
    QString caption;     // "Ср"
    QString unit;        // "пФ"
    double scale;        // from SI to the unit
    double value;        // SI
    double defaultValue; // SI
    QString rule;        // how the default is chosen
};

// A window's circuit ready to run: the netlist with a copy for each corner, what to plot, the parameters it was
// built with and how its measurements decide whether the trigger works.
struct Circuit
{
    Netlist netlist{QString()};
    std::vector<Corner> corners;
    std::vector<Trace> traces;
    std::vector<SimulationParameter> parameters;
    std::function<Verdict(const Measurements &)> judge;
    // Sets the levels of the edges' measurements to the swings a first run measured; false when the circuit
    // measures no edges and that run is all there is.
    std::function<bool(const Measurements &, Netlist *)> relevel;
    // What the window calculated for each row of the table: a result is current only for the same figures.
    std::vector<std::pair<QString, double>> calculated;
};

// The window's data a circuit is built from: its edit boxes and its quantities, which the circuit names as the
// window's members. Whatever is empty or not a number is collected, so that one message names every box to fill.
class CircuitInputs
{
public:
    explicit CircuitInputs(QWidget *window);

    QWidget *Window() const { return window_; }

    // The number typed in the box; `caption` names the box in the message.
    double Box(const QLineEdit *box, const QString &caption);
    // A quantity a step calculated; zero means the step has not been run.
    double Calculated(const Quantity &quantity, const QString &step);
    // A calculated quantity for comparison only: NaN when its step has not been run.
    static double Compared(const Quantity &quantity);
    // A simulation parameter: what the user typed for it, else `defaultValue` (SI). A typed text that is not a
    // number is named in the message.
    double Parameter(SimulationParameter parameter);

    QStringList Missing() const { return missing_; }
    const std::vector<SimulationParameter> &Parameters() const { return parameters_; }

    // A box or parameter the circuit read: its object name or key, caption and value (in its own unit, unscaled).
    struct Read
    {
        QString key, caption;
        double value;
    };
    const std::vector<Read> &Reads() const { return reads_; }
    // Scales what a box or parameter gives by its factor, by object name or key: a variant of the design.
    void Vary(const std::map<QString, double> &factors) { factors_ = factors; }

private:
    double Varied(const QString &key, const QString &caption, double value);

    QWidget *window_;
    QStringList missing_;
    std::vector<SimulationParameter> parameters_;
    std::vector<Read> reads_;
    std::map<QString, double> factors_;
};

using CircuitBuilder = std::function<Circuit(CircuitInputs &inputs)>;

// The circuit of the calculator window class Form. The window befriends it (`friend struct
// WindowCircuit<TFormN>;`), and its circuit file defines Build and registers it (`RegisterCircuit<TFormN>`):
// Build reads the window's boxes and quantities as its members, `in.Box(form.ui.Edit7, ...)`,
// `in.Calculated(form.Tv, ...)`, so that a misspelt name does not compile.
template <class Form>
struct WindowCircuit
{
    static Circuit Build(CircuitInputs &in, const Form &form);
};

// Each calculator window contributes its circuit under its object name; it is built for windows of its class.
bool RegisterCircuit(const QString &windowName, const QMetaObject &windowClass, CircuitBuilder builder);

template <class Form>
bool RegisterCircuit(const QString &windowName)
{
    return RegisterCircuit(windowName, Form::staticMetaObject, [](CircuitInputs &in) {
        return WindowCircuit<Form>::Build(in, *static_cast<const Form *>(in.Window()));
    });
}

bool HasCircuit(const QString &windowName);

// The window's circuit, or an empty netlist (with the parameters it would have had) and a failure that names
// what to fill.
Outcome<> BuildCircuit(QWidget *window, Circuit *circuit);
// The same with the boxes and parameters scaled by `factors`; `reads` gets what the circuit read, unscaled.
Outcome<> BuildCircuit(QWidget *window, const std::map<QString, double> &factors, Circuit *circuit,
                       std::vector<CircuitInputs::Read> *reads = nullptr);

// A figure as the window prints it: four significant digits, the window's decimal mark; «—» for NaN.
QString FigureText(double value, int digits = 4);

// The defaults of «Параметры моделирования», each rule written once, with the words its tooltip says it in.
namespace DefaultPart {

// The largest E24 value at most `bound` / `margin`: with a margin of 1,2 a resistor that feeds a transistor's base
// gives a fifth more base current than the bound.
double Below(double bound, double margin = 1);
// The smallest E24 value at least `margin` · `bound`.
double Above(double bound, double margin = 1);
// The E24 value nearest to the middle of the range: inside it whenever the range holds one.
double InRange(double low, double high);

QString BelowRule(double margin = 1);
QString InRangeRule();

} // namespace DefaultPart

// How a trigger's run is judged: its state sampled before the first input and after each; which inputs switched
// it in each corner; the figures measured across switchings that took place; the transistors against their limits.
class TriggerObserver
{
public:
    // The verdict's words: "%1" is the number of inputs that switched the trigger, "%2" the number of inputs,
    // "%3" the missed ones ("1-й, 3-й").
    struct Counting
    {
        QString every, some, none;
        int inputsPerCount = 1; // an input period of two switchings counts once
    };

    // The words of a trigger switched by input pulses: «Триггер переключается при каждом из 6 входных импульсов».
    static Counting InputPulses();

    // `inputs`: when each input begins; `samples`: one before the first input and one after each, before the next.
    TriggerObserver(std::vector<double> inputs, std::vector<double> samples, Counting counting);

    // A node whose voltage changes by at least `swing` at every switching.
    void State(const QString &node, double swing);
    // The change of a state node across a switching, V.
    void Amplitude(const QString &title, const QString &node, double calculated);
    // A state node's edge between 10 and 90 % of the way across the first switching that moves it from `from` to
    // `to` (V), µs. Those levels hold only until Relevel() puts the swing a run measured in their place.
    void Edge(const QString &title, const QString &node, double from, double to, double calculated);
    // A vector ("v(e)", "@q1[ic]", "i(VEK)") sampled in the states the trigger held before and after switchings:
    // its largest magnitude, or with `least` its smallest.
    void InState(const QString &title, const QString &unit, double scale, const QString &vector, double calculated,
                 bool least = false);
    // The power drawn from the supplies (source, volts) in the states held around switchings: the largest, or the
    // least.
    void PowerInState(const QString &title, const std::vector<std::pair<QString, double>> &supplies, double calculated,
                      bool least);
    // The supply's mean current and power over the run; `caption` names it as the window does, "Ек".
    void Supply(const QString &source, const QString &caption, double volts);
    // A transistor's peak collector current, largest collector-base voltage and mean dissipated power, against
    // the limits the window knows (NaN where it knows none).
    void Ratings(const QString &transistor, const QString &device, double collectorCurrent, double collectorBaseVoltage,
                 double power);

    // The measurements of the netlist's current corner.
    void Write(Netlist *netlist) const;
    Verdict Judge(const Measurements &measured, const std::vector<Corner> &corners) const;
    // Each edge's measurement at input k takes its 10 and 90 % levels from the states before and after the first
    // switching from k on that moves the node its way, as `measured`; false when there are no edges.
    bool Relevel(const Measurements &measured, const std::vector<Corner> &corners, Netlist *netlist) const;
    // Makes this the circuit's judge, of its corners, and gives it the calculated figures.
    void JudgeRunsOf(Circuit *circuit) const;

private:
    struct Probe
    {
        enum Kind { Amplitude, Edge, InState, Whole, PeakCurrent, PeakVoltage, Power } kind = Amplitude;
        QString title{}, unit{};
        double scale = 1;
        QString vector{};
        double from = 0, to = 0, calculated = NAN;
        bool least = false;
        QString transistor{};
        // InState: the vectors sampled and the weight of each one's magnitude in the sum.
        std::vector<std::pair<QString, double>> terms{};
        double weight = 1; // Whole: of the mean's magnitude
    };

    // Whether input k (from 1) switched the trigger, by the samples of state nodes `sample(node, k)`; [0] is false.
    std::vector<bool> Switched(const std::function<double(const QString &, std::size_t)> &sample) const;
    // The first switching from input k on that moves the probe's node its way; 0 when none does.
    std::size_t EdgeSwitching(const Probe &probe, std::size_t k, const std::vector<bool> &switched,
                              const std::function<double(const QString &, std::size_t)> &sample) const;

    std::vector<double> inputs_, samples_;
    Counting counting_;
    std::vector<std::pair<QString, double>> states_;
    std::vector<Probe> probes_;
};

// The netlist's comment over a corner's copy of the circuit, "Cold corner: -10 C".
QString CornerComment(const Corner &corner);

// Both corners of a window whose transistors' data hold at `dataCelsius` and which works at `workCelsius`: the
// cooler and the warmer of the two; one when they are the same.
std::vector<Corner> CornersBetween(double a, double b);
