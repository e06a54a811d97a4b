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

    void Resistor(const QString &name, const QString &a, const QString &b, double ohms);
    void Capacitor(const QString &name, const QString &a, const QString &b, double farads);
    void Diode(const QString &name, const QString &anode, const QString &cathode, const QString &model);
    void Transistor(const QString &name, const QString &collector, const QString &base, const QString &emitter,
                    const QString &model);
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
    // The temperature the circuit works at, which its models were written for.
    void Temperature(double celsius);
    void Transient(double step, double stop, double maxStep);
    double StopTime() const { return stop_; }
    double MaxStep() const { return maxStep_; }
    // Device quantities that measurements read, e.g. "@q1[ic]". They are saved beside every node voltage and
    // every voltage source's current.
    void Save(const QString &vector);
    void Measure(const QString &name, const QString &definition);
    QStringList MeasureNames() const { return measureNames_; }

    QString Text() const;

    // The parts whose values no circuit can have (a resistance or capacitance not above zero, a number that
    // is none), as "R1 = -5".
    QStringList ImpossibleParts() const { return impossible_; }

    // A number as the netlist writes it: the fewest digits that give back the same double.
    static QString Number(double value);

private:
    void CheckValue(const QString &name, double value, bool mustBePositive);
    void Connect(std::initializer_list<QString> nodes);
    void VoltageSource(const QString &name, const QString &plus, const QString &minus);

    QString title_;
    QStringList elements_, models_, controls_, measures_, saved_;
    QStringList nodes_, voltageSources_; // in the order they first appear
    QStringList measureNames_;
    QStringList impossible_;
    double stop_ = 0, maxStep_ = 0;
};
