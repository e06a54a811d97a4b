#pragma once

#include <QString>

#include <memory>
#include <span>
#include <vector>

class TCalculatorWindow;

// A window class as the registry uses it: new windows, and the program's one in its global FormN.
struct CalculatorClass
{
    TCalculatorWindow *(*create)();
    TCalculatorWindow *(*program)(); // none until the program's windows are created
    void (*setProgram)(TCalculatorWindow *window);
};

// One calculator window as the rest of the program knows it. Start-up, the main menu, the menus and the
// calculations' documents (so files and reports), the design and the tests go through these rows and never
// include a window's header; the circuits register under the rows' names.
struct CalculatorRow
{
    const char *name;           // the window's object name, its global's and its calculation file's: "Form5"
    const char *layout;         // its Qt Designer layout in resources/forms/: "form5.ui"
    const char *mainMenuButton; // the main menu's button that opens it; none for a window that another opens
    const char *following;      // the window it opens for its following calculation, part of its own: "Form6"
    bool circuit;               // its schematic is simulated: its formN_circuit.cpp registers under its name
    const char *exampleGiven;   // given data that designs it to its end, the variants' template's: "Edit1=10;Edit2=5"
    CalculatorClass windowClass;
};

// Every window, in the order the program creates them.
std::span<const CalculatorRow> CalculatorRows();

// The row of the window with this object name; none for any other name.
const CalculatorRow *CalculatorRowNamed(const QString &name);

// The rows that are calculations of their own (a main-menu button opens each), in the order of creation.
std::vector<const CalculatorRow *> CalculationRows();

// The program's windows of a calculation: the calculator first, then the window it opens.
std::vector<TCalculatorWindow *> ProgramCalculation(const CalculatorRow &row);

// The windows of a fresh calculation, apart from the program's own: the calculator first.
std::vector<std::unique_ptr<TCalculatorWindow>> NewCalculationOf(const CalculatorRow &row);

// Creates the program's windows in the rows' order and joins each calculator to the window it opens.
void CreateProgramWindows();

// Destroys them in the reverse order.
void DestroyProgramWindows();
