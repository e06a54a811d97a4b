#include "simulation/circuit.h"

#include "numtext/exception.h"
#include "numtext/number_text.h"
#include "window/calculator_window.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace {

std::map<QString, CircuitBuilder> &Builders()
{
    static std::map<QString, CircuitBuilder> builders;
    return builders;
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

CircuitInputs::CircuitInputs(QWidget *window) : window_(window) {}

double CircuitInputs::Box(const char *editName, const QString &caption)
{
    const auto *edit = window_->findChild<QLineEdit *>(QLatin1StringView(editName));
    try {
        if (edit) {
            const double value = double(NumberFromText(edit->text()));
            if (std::isfinite(value))
                return value;
        }
    } catch (const Exception &) {}
    missing_ << caption;
    return NAN;
}

double CircuitInputs::Calculated(const char *quantityName, const QString &step)
{
    const double value = Compared(quantityName);
    if (std::isfinite(value) && value != 0)
        return value;
    if (!missing_.contains(step))
        missing_ << step;
    return NAN;
}

double CircuitInputs::Compared(const char *quantityName) const
{
    auto *calculator = qobject_cast<TCalculatorWindow *>(window_);
    if (!calculator)
        return NAN;
    for (const NamedQuantity &quantity : calculator->Quantities())
        if (qstrcmp(quantity.name, quantityName) == 0)
            return quantity.quantity->value() != 0 ? quantity.quantity->value() : NAN;
    return NAN;
}

bool RegisterCircuit(const QString &windowName, CircuitBuilder builder)
{
    Builders()[windowName] = std::move(builder);
    return true;
}

bool HasCircuit(const QString &windowName)
{
    return Builders().count(windowName) != 0;
}

bool BuildCircuit(QWidget *window, Circuit *circuit, QString *error)
{
    const auto builder = window ? Builders().find(window->objectName()) : Builders().end();
    if (builder == Builders().end()) {
        *error = Tr("Для этой схемы моделирование не предусмотрено");
        return false;
    }
    CircuitInputs inputs(window);
    *circuit = builder->second(inputs);
    if (!inputs.Missing().isEmpty()) {
        *error = Tr("Для моделирования заполните: %1").arg(inputs.Missing().join(QStringLiteral(", ")));
        *circuit = Circuit{};
        return false;
    }
    const QStringList impossible = circuit->netlist.ImpossibleParts();
    if (!impossible.isEmpty()) {
        *error = Tr("Такую схему моделировать нельзя: %1").arg(impossible.join(QStringLiteral(", ")));
        *circuit = Circuit{};
        return false;
    }
    return true;
}

namespace Circuits {

QStringList SampleAt(Netlist *netlist, const QString &prefix, const QString &vector, const std::vector<double> &times)
{
    QStringList names;
    for (std::size_t k = 0; k < times.size(); ++k) {
        names << prefix + QString::number(k + 1);
        netlist->Measure(names.back(), QStringLiteral("FIND %1 AT=%2").arg(vector, Netlist::Number(times[k])));
    }
    return names;
}

Verdict JudgeAlternation(const Measurements &measured, const QStringList &first, const QStringList &second,
                         double swing, const QString &input)
{
    return JudgeAlternation(measured, first, second, swing, input,
                            {Tr("Триггер переключается при каждом входном импульсе"), Tr("Триггер не переключается")});
}

Verdict JudgeAlternation(const Measurements &measured, const QStringList &first, const QStringList &second,
                         double swing, const QString &input, const VerdictTexts &texts)
{
    std::vector<double> samples;
    for (qsizetype k = 0; k < first.size(); ++k) {
        const auto a = measured.find(first[k]);
        const auto b = second.isEmpty() ? measured.end() : measured.find(second[k]);
        if (a == measured.end() || (!second.isEmpty() && b == measured.end()))
            return {false, Tr("%1: ngspice не измерил %2").arg(texts.failure, first[k])};
        samples.push_back(a->second - (second.isEmpty() ? 0 : b->second));
    }
    for (std::size_t k = 1; k < samples.size(); ++k) {
        const double change = samples[k] - samples[k - 1];
        const double before = k > 1 ? samples[k - 1] - samples[k - 2] : -change;
        if (std::abs(change) < swing || (change > 0) == (before > 0))
            return {false, Tr("%1: состояние %2 не сменилось").arg(texts.failure, input.arg(k))};
    }
    return {true, texts.works};
}

} // namespace Circuits
