#include "documents/window_records.h"

#include "number_text/decimal_mark.h"
#include "number_text/number_text.h"
#include "window/calculator_window.h"
#include "window_look/control_kinds.h"
#include "window/designed_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

// Controls in the order a reader expects: Edit2 before Edit10.
template <class Control>
QList<Control *> InNameOrder(QList<Control *> controls)
{
    const auto key = [](const Control *control) {
        const QString name = control->objectName();
        qsizetype digits = name.size();
        while (digits > 0 && name[digits - 1].isDigit())
            --digits;
        return std::pair(name.left(digits), name.mid(digits).toInt());
    };
    std::sort(controls.begin(), controls.end(), [&](const Control *a, const Control *b) { return key(a) < key(b); });
    return controls;
}

// A window's boxes and results in name order. A window keeps the controls it was designed with, so they are
// found once: a batch records and clears its windows a thousand times.
struct Controls
{
    QList<QLineEdit *> edits;
    QList<QLabel *> results;
};

const Controls &ControlsOf(TCalculatorWindow *window)
{
    static std::map<const QObject *, Controls> found;
    auto known = found.find(window);
    if (known == found.end()) {
        Controls controls{InNameOrder(OwnControls<QLineEdit>(window)), {}};
        for (QLabel *label : OwnControls<QLabel>(window)) {
            if (IsResultLabel(label))
                controls.results << label;
        }
        controls.results = InNameOrder(controls.results);
        known = found.emplace(window, controls).first;
        QObject::connect(window, &QObject::destroyed, [window] { found.erase(window); });
    }
    return known->second;
}

const QList<QLineEdit *> &EditBoxes(TCalculatorWindow *window)
{
    return ControlsOf(window).edits;
}

const QList<QLabel *> &Results(TCalculatorWindow *window)
{
    return ControlsOf(window).results;
}

// A box's text as it reads under the current decimal mark, when it is a number under the mark it was typed with.
QString BoxInCurrentMark(const QString &text, char typedMark)
{
    if (typedMark == DecimalMark)
        return text;
    try {
        NumberFromText(text, typedMark);
    } catch (const EConvertError &) {
        return text;
    }
    return QString(text).replace(QLatin1Char(typedMark), QLatin1Char(DecimalMark));
}

// A result's text under the current decimal mark: its printed values are number text among literal pieces
// ("7,5...8 В") that hold none, so the mark changes inside the values alone, which keep their every digit.
QString ResultInCurrentMark(const QString &text, char typedMark)
{
    if (typedMark == DecimalMark)
        return text;
    const QRegularExpression value(
        QStringLiteral("\\d%1\\d").arg(QRegularExpression::escape(QString(QLatin1Char(typedMark)))));
    QString converted = text;
    for (const QRegularExpressionMatch &match : value.globalMatch(text))
        converted[match.capturedStart() + 1] = QLatin1Char(DecimalMark);
    return converted;
}

// Whether the names of the record's members and of the window's controls are the same sets.
template <class Value>
QString NamesMismatch(const std::vector<std::pair<QString, Value>> &members, const QStringList &ours,
                      const QString &what)
{
    QStringList theirs;
    for (const auto &member : members)
        theirs << member.first;
    for (const QString &name : theirs) {
        if (!ours.contains(name))
            return QStringLiteral("%1 «%2» нет в окне").arg(what, name);
    }
    for (const QString &name : ours) {
        if (!theirs.contains(name))
            return QStringLiteral("%1 «%2» нет в файле").arg(what, name);
    }
    return {};
}

template <class Control>
QStringList Names(const QList<Control *> &controls)
{
    QStringList names;
    for (const Control *control : controls)
        names << control->objectName();
    return names;
}

QStringList QuantityNames(TCalculatorWindow *window)
{
    QStringList names;
    for (const NamedQuantity &quantity : window->Quantities())
        names << QString::fromLatin1(quantity.name);
    return names;
}

} // namespace

WindowRecord RecordOf(TCalculatorWindow *window)
{
    WindowRecord record;
    record.window = window->objectName();
    for (const QLineEdit *edit : EditBoxes(window))
        record.edits.emplace_back(edit->objectName(), edit->text());
    for (const QLabel *label : Results(window)) {
        const ResultValue result = window->Model().Result(label->objectName());
        record.results.emplace_back(label->objectName(), ResultRecord{result.text, result.unit, result.values});
    }
    for (const NamedQuantity &quantity : window->Quantities())
        record.quantities.emplace_back(QString::fromLatin1(quantity.name), quantity.quantity->value());
    const QVariantMap simulation = window->SimulationParameters();
    for (auto it = simulation.begin(); it != simulation.end(); ++it)
        record.simulation.emplace_back(it.key(), it.value().toString());
    if (window->Tolerance())
        record.tolerance = *window->Tolerance();
    return record;
}

CalculationRecord RecordOf(const std::vector<TCalculatorWindow *> &windows)
{
    CalculationRecord record;
    // A file says "," or "."; another mark of the desktop's is no mark a number is typed with.
    record.decimalMark = DecimalMark == ',' ? ',' : '.';
    for (TCalculatorWindow *window : windows)
        record.windows.push_back(RecordOf(window));
    return record;
}

QString MismatchOf(const WindowRecord &record, TCalculatorWindow *window)
{
    if (record.window != window->objectName())
        return QStringLiteral("окно «%1» вместо «%2»").arg(record.window, window->objectName());
    QString mismatch = NamesMismatch(record.edits, Names(EditBoxes(window)), QStringLiteral("поля ввода"));
    if (mismatch.isEmpty())
        mismatch = NamesMismatch(record.results, Names(Results(window)), QStringLiteral("результата"));
    if (mismatch.isEmpty())
        mismatch = NamesMismatch(record.quantities, QuantityNames(window), QStringLiteral("величины"));
    if (!mismatch.isEmpty())
        return window->objectName() + QStringLiteral(": ") + mismatch;
    for (const auto &[name, text] : record.edits) {
        if (text.size() > window->findChild<QLineEdit *>(name)->maxLength())
            return QStringLiteral("%1: текст поля ввода «%2» длиннее, чем поле принимает")
                .arg(window->objectName(), name);
    }
    return {};
}

void Restore(TCalculatorWindow *window, const WindowRecord &record, char typedMark)
{
    for (const auto &[name, text] : record.edits)
        window->findChild<QLineEdit *>(name)->setText(BoxInCurrentMark(text, typedMark));
    CalculationModel model;
    for (const auto &[name, result] : record.results)
        model.results[name] = ResultValue{ResultInCurrentMark(result.text, typedMark), result.unit, result.values};
    for (const auto &[key, text] : record.simulation)
        model.simulationParameters.insert(key, BoxInCurrentMark(text, typedMark));
    if (record.tolerance) {
        auto tolerance = std::make_shared<ToleranceRecord>(*record.tolerance);
        for (Margin &margin : tolerance->margins)
            margin.warning = ResultInCurrentMark(margin.warning, typedMark);
        model.tolerance = std::move(tolerance);
    }
    window->SetModel(std::move(model));
    std::map<QString, double> values(record.quantities.begin(), record.quantities.end());
    for (const NamedQuantity &quantity : window->Quantities())
        *quantity.quantity = Extended(static_cast<long double>(values.at(QString::fromLatin1(quantity.name))));
    window->FitClientAreaToControls();
    emit window->ContentsReplaced();
}

void ClearWindow(TCalculatorWindow *window, const QList<const QLineEdit *> &keep)
{
    for (QLineEdit *edit : EditBoxes(window)) {
        if (!keep.contains(edit))
            edit->clear();
    }
    window->SetModel({});
    for (const NamedQuantity &quantity : window->Quantities())
        *quantity.quantity = Extended(0);
    window->FitClientAreaToControls();
    emit window->ContentsReplaced();
}
