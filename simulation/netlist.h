#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>
#include <vector>

// A SPICE circuit as ngspice reads it, in both the shared library and `ngspice -b`: elements,
// models, initial conditions, the transient run and the measurements, written in the order added.
class Netlist
{
public:
    explicit Netlist(const QString &title);

    // The copy of the circuit for one temperature corner: from here on the names of elements, nodes, models and
    // measurements get "_<suffix>" (the common wire "0" stays), so that both corners run side by side in one
    // netlist, each with its own models.
    void BeginCorner(const QString &suffix);
    QString Name(const QString &name) const;
    QString Node(const QString &node) const;
    // A vector of the current corner, as measurements read it: "v(c1)" is "v(c1_hot)", "@q1[ic]" is
    // "@q1_hot[ic]", "i(VEK)" is "i(vek_hot)".
    QString Vector(const QString &vector) const { return Scoped(vector, suffix_); }
    static QString Scoped(const QString &vector, const QString &suffix);

    void Resistor(const QString &name, const QString &a, const QString &b, double ohms);
    void Capacitor(const QString &name, const QString &a, const QString &b, double farads);
    void Diode(const QString &name, const QString &anode, const QString &cathode, const QString &model, double celsius);
    // A constant current from `from` through the source into `into`.
    void CurrentSource(const QString &name, const QString &from, const QString &into, double amps);
    // A transistor, or a diode, at its own temperature (its model's nominal one).
    void Transistor(const QString &name, const QString &collector, const QString &base, const QString &emitter,
                    const QString &model, double celsius);
    void DcSource(const QString &name, const QString &plus, const QString &minus, double volts);
    // Rectangular pulses from 0 to `volts`, the first at `delay`.
    void PulseSource(const QString &name, const QString &plus, const QString &minus, double volts, double delay,
                     double edge, double width, double period);
    // A voltage through the given (time, volts) corners.
    void PiecewiseLinearSource(const QString &name, const QString &plus, const QString &minus,
                               const std::vector<std::pair<double, double>> &corners);
    // Rectangular current pulses of `amps` driven into `into`, the first at `delay`.
    void CurrentPulseSource(const QString &name, const QString &into, double amps, double delay, double edge,
                            double width, double period);
    void SineSource(const QString &name, const QString &plus, const QString &minus, double amplitude, double hertz);
    void Model(const QString &line);
    void Comment(const QString &text);

    void InitialCondition(const QString &node, double volts);
    void Transient(double step, double stop, double maxStep);
    double StopTime() const { return stop_; }
    double MaxStep() const { return maxStep_; }
    // Device quantities that measurements read, e.g. Vector("@q1[ic]"). They are saved beside every node voltage
    // and every voltage source's current.
    void Save(const QString &vector);
    // A measurement named `name` in the current corner; `definition` names vectors through Vector() and other
    // measurements through Name().
    void Measure(const QString &name, const QString &definition);
    QStringList MeasureNames() const { return measureNames_; }
    // A number of the current corner that measurements read as {Name(name)}, written as a ".param" line.
    void Parameter(const QString &name, double value);
    // Gives the parameter of that full name (Name() of it) another value; false when there is none.
    bool SetParameter(const QString &fullName, double value);

    // With `parameters` false, the circuit and its measurements alone, as any run of it has them.
    QString Text(bool parameters = true) const;

    // The parts whose values no circuit can have (a resistance or capacitance not above zero, a number that
    // is none), as "R1 = -5".
    QStringList ImpossibleParts() const { return impossible_; }

    // A number as the netlist writes it: the fewest digits that give back the same double.
    static QString Number(double value);

private:
    void CheckValue(const QString &name, double value, bool mustBePositive);
    void Connect(std::initializer_list<QString> nodes);
    void VoltageSource(const QString &name, const QString &plus, const QString &minus);

    QString title_, suffix_;
    QStringList elements_, models_, controls_, measures_, saved_;
    QStringList nodes_, voltageSources_; // in the order they first appear
    QStringList measureNames_;
    std::vector<std::pair<QString, double>> parameters_;
    QStringList impossible_;
    double stop_ = 0, maxStep_ = 0;
};
