#pragma once

#include <QString>
#include <QVariantMap>

#include <map>
#include <memory>
#include <vector>

struct ToleranceRecord;

// What a step printed in a result or verdict: its text, and for a printed number the values the text shows
// and the unit after them as printed (" Ом"); a text of words keeps neither.
struct ResultValue
{
    QString text;
    QString unit;
    std::vector<double> values;
};

// What a calculator window has computed, and what the user typed for its simulation, with no widget in it:
// files, reports, standard values and the design read it, and its result labels only show it. The quantities
// the steps store are the window's own members, listed by TCalculatorWindow::Quantities().
struct CalculationModel
{
    // By the object name of the label that shows it; a result no step has written is not here.
    std::map<QString, ResultValue> results;
    // Each parameter of «Параметры моделирования» the user typed, by its key: the text in the parameter's unit.
    QVariantMap simulationParameters;
    // The last result of «Запас и разброс», with what it was computed from; none until one is computed or opened.
    std::shared_ptr<const ToleranceRecord> tolerance = {};

    // The result shown by the label of that name; empty when none is.
    ResultValue Result(const QString &name) const
    {
        const auto found = results.find(name);
        return found == results.end() ? ResultValue{} : found->second;
    }
};
