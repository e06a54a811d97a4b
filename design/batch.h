#pragma once

#include "design/automatic_design.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// A teacher's batch of variants: a CSV of given data, one row a variant, each designed by standard values
// into a calculation file of its own, with the answers of all of them in one CSV, one PDF and one HTML key.

// One row of the variants' CSV: the window it names, and its given data by column.
struct Variant
{
    int number = 0; // 1 for the first row under the header
    int line = 0;   // the row's line in the file, the header's being 1
    QString window; // as the row names it: "Form2" or the circuit's name
    std::vector<std::pair<QString, QString>> given;
};

// The rows of the CSV (UTF-8, ";" or "," between cells, quotes around a cell that holds either); a row
// without its window is named in *problems and left out.
std::vector<Variant> ReadVariants(const QByteArray &csv, QStringList *problems);

// The windows of a fresh calculation of the named calculator, the calculator first; none for an unknown name.
using CalculationFactory = std::function<std::vector<std::unique_ptr<TCalculatorWindow>>(const QString &name)>;

struct BatchOptions
{
    QString folder;
    bool answerKey = true; // ответы.pdf and ответы.html beside ответы.csv
    // When given, the simulation's verdict and whether the trigger works join each answer.
    std::function<std::pair<QString, QString>(TCalculatorWindow *calculator)> simulate;
    // The reports' footer: the program and its version.
    QString program;
    QString version;
};

// What became of one variant.
struct VariantOutcome
{
    int number = 0;
    bool designed = false; // to its last step
    QString text;          // the line that says so: "вариант 3 (Form2): рассчитан"
};

// Designs the variants one by one; progress hears of each, and a false from it stops the batch there, the
// finished variants kept. The answers are written for the variants designed so far. A failure when a file
// could not be written.
Outcome<> RunBatch(const std::vector<Variant> &variants, const CalculationFactory &factory, const BatchOptions &options,
                   const std::function<bool(const VariantOutcome &)> &progress);
