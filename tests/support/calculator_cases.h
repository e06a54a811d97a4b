#pragma once

#include <QSize>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Control names with texts: what is typed into edit boxes, or what labels show (UTF-8).
using Texts = std::vector<std::pair<const char *, const char *>>;

// The symmetric trigger with an external bias source typed as designed, which switches at every input in both
// corners of its simulation.
inline const Texts kWorkingForm2 = {
    {"Edit1", "10"},   {"Edit2", "20"},     {"Edit3", "50"},   {"Edit4", "12"},     {"Edit5", "5"},
    {"Edit6", "30"},   {"Edit7", "2"},      {"Edit8", "50"},   {"Edit9", "70"},     {"Edit10", "1000"},
    {"Edit11", "1,5"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit14", "18000"}, {"Edit15", "47"},
    {"Edit16", "2"},   {"Edit17", "5100"},
};

// What a user does to a fresh window, the report of the last press, and some labels' texts afterwards.
struct Scenario
{
    const char *name;
    bool afterFullRun;
    Texts typed;
    std::vector<int> steps; // step buttons pressed in order; the last press is judged
    const char *report;     // without the full stop the report adds; nullptr: no report
    Texts labels;
};

// A row of a window's fault table: after a full run, retype some boxes and press steps; the last press
// faults. Every result the faulting step did not write before its fault keeps its full-run text.
struct FaultCase
{
    const char *condition;
    Texts retyped;
    std::vector<int> steps;
    const char *report; // without the full stop
    Texts written;      // what the faulting step (and the steps before it) wrote differently from the full run
};

// A label font as the window shows it.
struct FontSample
{
    const char *control;
    const char *family;
    int pixelSize;
    bool bold;
    bool italic;
};

// One calculator window as its tests drive it: every table that the common tests run through.
struct CalculatorCases
{
    const char *name;                                 // the window's objectName, "Form2"
    std::function<std::unique_ptr<QWidget>()> create; // a fresh window: every quantity 0, boxes and results empty
    int steps;                                        // Button1 .. ButtonN run steps 1 .. N
    const char *title;                                // UTF-8
    QSize extent;                                     // the controls' right and bottom edges in the client area
    bool scrollsVertically;
    QStringList tabOrder;
    int editsOverPrompts; // edit boxes that stand over a prompt's run of blanks
    std::vector<FontSample> fonts;
    std::vector<const char *> neverWritten; // labels no step writes
    std::vector<const char *> neverRead;    // edit boxes no step reads
    Texts fullRunInputs;
    Texts fullRunResults; // every result label after steps 1 .. N
    std::vector<Scenario> scenarios;
    std::vector<FaultCase> faults;
};

const CalculatorCases &Form2Cases();
const CalculatorCases &Form3Cases();
const CalculatorCases &Form4Cases();
const CalculatorCases &Form5Cases();
const CalculatorCases &Form6Cases();
const CalculatorCases &Form7Cases();

// Every window's tables, the registry's rows in their order: the common tests and the reports run through
// them all, and the registry's test fails a row that has none.
inline std::vector<const CalculatorCases &(*)()> EveryWindowsCases()
{
    return {&Form2Cases, &Form3Cases, &Form4Cases, &Form5Cases, &Form6Cases, &Form7Cases};
}
