#pragma once

#include "outcome/outcome.h"
#include "tolerance/tolerance_record.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// A result as its label shows it, with the values and the unit the text was printed from.
struct ResultRecord
{
    QString text;
    QString unit;
    std::vector<double> values;

    bool operator==(const ResultRecord &) const = default;
};

// What a calculation file keeps of one window: every edit box's text as typed, every result, and every
// quantity's exact value, each under its name, in the window's own order.
struct WindowRecord
{
    QString window; // the window's name, "Form5"
    std::vector<std::pair<QString, QString>> edits;
    std::vector<std::pair<QString, ResultRecord>> results;
    std::vector<std::pair<QString, double>> quantities;
    // What was typed into «Параметры моделирования», by parameter; empty while every one has its default.
    std::vector<std::pair<QString, QString>> simulation;
    // The last result of «Запас и разброс», with what it was computed from.
    std::optional<ToleranceRecord> tolerance;
};

// One calculation: the windows it spans (a calculator, and the windows that belong to its calculation),
// and the decimal mark its texts were typed with.
struct CalculationRecord
{
    char decimalMark = '.'; // ',' or '.'
    std::vector<WindowRecord> windows;

    bool operator==(const CalculationRecord &) const = default;
};

// Whether both are written the same: a margin's NaN edge equals another's.
bool operator==(const ToleranceRecord &a, const ToleranceRecord &b);

inline bool operator==(const WindowRecord &a, const WindowRecord &b)
{
    return a.window == b.window && a.edits == b.edits && a.results == b.results && a.quantities == b.quantities
        && a.simulation == b.simulation && a.tolerance == b.tolerance;
}

// The file's extension, without the dot, and its MIME type.
inline constexpr char kCalculationExtension[] = "ortix";
inline constexpr char kCalculationMimeType[] = "application/x-ortix-t-calculation";

// The larger a file, the surer it is not a calculation: none comes near this.
inline constexpr qint64 kLargestCalculationFile = 1024 * 1024;

// UTF-8 JSON in the record's own order, so that one state is always the same bytes; quantities as
// hexadecimal floats, exact to the last bit. A file with a result of «Запас и разброс» is format version 3, one
// with simulation parameters and none version 2, which older programs refuse rather than lose them; one with
// neither is version 1, as before.
QByteArray CalculationToJson(const CalculationRecord &record);

// The record, or a failure that says what is wrong with the bytes. Checks the form of the file alone: whether
// its names belong to the windows is for whoever fills them.
Outcome<CalculationRecord> CalculationFromJson(const QByteArray &bytes);
