#pragma once

#include "design/accept_rule.h"
#include "documents/calculation_file.h"
#include "outcome/outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class TCalculatorWindow;

// The design of a calculation from its given data alone: its steps pressed in order, each accept box
// («Примем ...») filled before its step with the standard value of the result it follows (design/accept_rule.h).
// The windows the calculator opens for its calculation follow it, their boxes that repeat an accepted
// value («Ек2», «Rк2») filled with that value.

// A box that only a person can fill: given data, transistor data, a choice with no result before it.
struct GivenBox
{
    QLineEdit *box = nullptr;
    QString description; // its prompt's words: "Амплитуда положительных импульсов Uки"
    QString column;      // its name in a variant's data: the symbol its prompt shows when no other box
                         // of the calculation shows it ("Uки"), else the box's name ("Edit6", "Form6.Edit3")
    QString name;        // the box's own: "Edit6"
    bool needed = true;  // read by a step; one only the report prints (tmin, tmax) may stay empty

    // The box's name after its window's: "Form6.Edit3".
    QString QualifiedName() const;
};

// A box the design fills: from the result it follows, or with the value of a calculator's accept box.
struct FilledBox
{
    QLineEdit *box = nullptr;
    int step = 0;                  // filled before this step of its window is pressed
    QLabel *result = nullptr;      // the result it follows
    QString caption;               // that result's caption
    CaptionBound bound;            // and what it says of its bound
    QString unit;                  // what the box shows after itself: "Ом"
    QLineEdit *repeated = nullptr; // the accept box whose value it repeats
    QString name; // in the answers: "Шаг 4: Примем сопротивления резисторов Rк, Ом"
};

// A result with its name in the answers: "Шаг 3: Сопротивление резисторов Rк, не менее".
struct NamedResult
{
    QLabel *label = nullptr;
    QString name;
};

struct WindowPlan
{
    TCalculatorWindow *window = nullptr;
    QList<QPushButton *> steps; // the steps that compute something, in order
    QList<int> stepNumbers;
    std::vector<FilledBox> filled;
    std::vector<NamedResult> results; // in reading order
};

struct DesignPlan
{
    std::vector<WindowPlan> windows; // the calculator first
    std::vector<GivenBox> given;     // of every window, in reading order
};

// Reads the calculator's windows once; a plan holds for every later design of the same windows.
DesignPlan PlanDesign(TCalculatorWindow *calculator);

// The given boxes whose text is not a number (an empty one neither).
std::vector<GivenBox> GivenBoxesNotNumbers(const DesignPlan &plan);

// The boxes the design would fill that hold a text already.
QList<QLineEdit *> TypedBoxes(const DesignPlan &plan);

// A box the design changed, with what it held before.
struct ChangedBox
{
    QLineEdit *box = nullptr;
    QString text;
    QString toolTip;
};

// How a design ended: the boxes it changed, and the fault that stopped it (empty when it ran to the end).
struct DesignOutcome
{
    std::vector<ChangedBox> changed;
    QString fault;
    QString faultWindow; // the window's title
    int faultStep = 0;
    QPushButton *lastPressed = nullptr;

    bool Complete() const { return fault.isEmpty(); }
};

// Presses every step of every window in order, filling the boxes before each; the boxes that hold a text
// are kept unless asked to be replaced. The first fault stops it, unreported, leaving what was done.
// Runs with the given boxes as they are: check them first.
DesignOutcome RunDesign(const DesignPlan &plan, bool replaceTyped);

// The given data of a variant, by column or box name: the given boxes' texts, the values' decimal mark
// either "," or "."; a given box the variant does not name is emptied. A failure names what cannot be used,
// "; " between them, and nothing is typed then.
Outcome<> TypeGivenData(const DesignPlan &plan, const std::vector<std::pair<QString, QString>> &values);

// The designed calculation as its file keeps it.
CalculationRecord CalculationRecordOf(const DesignPlan &plan);

// "Uки=10;Fп=20": the pairs of a variant's given data; what is no pair is named in *problems.
std::vector<std::pair<QString, QString>> GivenDataPairs(const QString &text, QStringList *problems);
