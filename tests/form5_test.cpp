// Form5's own tables, which the common tests run (calculator_windows_test.cpp), and its button that
// shows the load connection window.
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Edit3, Edit4 (temperatures) and Edit21 (the chosen Rэ) are typed but read by no step.
const Texts kFullRunInputs = {
    {"Edit1", "5"},      {"Edit2", "10"},    {"Edit3", "-10"},    {"Edit4", "60"},    {"Edit5", "10"},
    {"Edit6", "5"},      {"Edit7", "40"},    {"Edit8", "120"},    {"Edit9", "25"},    {"Edit10", "100"},
    {"Edit11", "5"},     {"Edit12", "3"},    {"Edit13", "1"},     {"Edit14", "0,2"},  {"Edit15", "0,3"},
    {"Edit16", "0,6"},   {"Edit17", "0,7"},  {"Edit18", "6"},     {"Edit19", "12"},   {"Edit20", "2"},
    {"Edit21", "820"},   {"Edit22", "2700"}, {"Edit23", "68000"}, {"Edit24", "6800"}, {"Edit25", "5"},
    {"Edit26", "20000"}, {"Edit27", "100"},
};

const char kWithinNorm1[] = "Sн1max в пределах нормы; ";
const char kWithinNorm2[] = "Sн2max в пределах нормы; ";
const char kInadmissible[] = "недопустим! См. стр. 24 ";

const Texts kFullRunResults = {
    {"Label26", "3"},
    {"Label29", "4"},
    {"Label34", kWithinNorm1},
    {"Label35", kWithinNorm2},
    {"Label39", "50 мкА"},
    {"Label40", "2 мА"},
    {"Label44", "0,025 мА"},
    {"Label46", "0,12 мА"},
    {"Label48", "1,025 мА"},
    {"Label50", "3,12 мА"},
    {"Label56", "0,000215 Вт"},
    {"Label58", "0,000984 Вт"},
    {"Label60", "5 В"},
    {"Label62", "11...12 В"},
    {"Label65", "1,2...2,4 В"},
    {"Label68", "818,274803954995 Ом"},
    {"Label70", "2634,92063492063 Ом"},
    {"Label72", "68253,9682539683 Ом"},
    {"Label74", "6857,14285714286 Ом"},
    {"Label77", "21403,9172371277 Ом"},
    {"Label82", "0,0519875816993464 Вт"},
    {"Label83", "0,00346093064091308 Вт"},
    {"Label85", "0,0277242561701297 Вт"},
    {"Label88", "1,57805907172996 мкс"},
    {"Label90", "2,52489451476793 мкс"},
};

// Texts not quoted with the method's examples were worked out by hand from the formulas, in 80-bit
// steps with every stored value rounded to a double.
const std::vector<Scenario> kScenarios = {
    // Results of particular inputs.
    {"an amplitude of 3 at T2",
     false,
     {{"Edit1", "5"}, {"Edit2", "3"}},
     {6},
     nullptr,
     {{"Label60", "5 В"}, {"Label62", "3,3...3,6 В"}}},
    {"Ек2 = 7", false, {{"Edit19", "7"}}, {7}, nullptr, {{"Label65", "0,7...1,4 В"}}},
    {"no tolerances",
     true,
     {{"Edit5", "0"}, {"Edit6", "0"}},
     {8, 9},
     nullptr,
     {{"Label68", "954,653937947494 Ом"},
      {"Label70", "3233,33333333333 Ом"},
      {"Label72", "83333,3333333333 Ом"},
      {"Label74", "8000 Ом"},
      {"Label77", "26075,85089141 Ом"}}},
    {"a saturation coefficient of exactly 8",
     false,
     {{"Edit7", "40"}, {"Edit8", "120"}, {"Edit9", "25"}, {"Edit10", "200"}},
     {1},
     nullptr,
     {{"Label29", "8"}, {"Label35", kWithinNorm2}}},
    {"a saturation coefficient of 10 for T2 only",
     false,
     {{"Edit7", "40"}, {"Edit8", "120"}, {"Edit9", "20"}, {"Edit10", "200"}},
     {1},
     nullptr,
     {{"Label26", "3"}, {"Label29", "10"}, {"Label34", kWithinNorm1}, {"Label35", kInadmissible}}},
    {"a saturation coefficient of 8,1 for T1 only",
     false,
     {{"Edit7", "10"}, {"Edit8", "81"}, {"Edit9", "25"}, {"Edit10", "100"}},
     {1},
     nullptr,
     {{"Label26", "8,1"}, {"Label29", "4"}, {"Label34", kInadmissible}, {"Label35", kWithinNorm2}}},
    {"a coefficient of 15 significant digits",
     false,
     {{"Edit7", "3"}, {"Edit8", "10"}, {"Edit9", "25"}, {"Edit10", "100"}},
     {1},
     nullptr,
     {{"Label26", "3,33333333333333"}, {"Label34", kWithinNorm1}}},
    {"zero and negative coefficients are within the norm",
     false,
     {{"Edit7", "40"}, {"Edit8", "0"}, {"Edit9", "-25"}, {"Edit10", "100"}},
     {1},
     nullptr,
     {{"Label26", "0"}, {"Label29", "-4"}, {"Label34", kWithinNorm1}, {"Label35", kWithinNorm2}}},
    {"new gains rewrite step 1 but not step 4",
     true,
     {{"Edit9", "20"}, {"Edit10", "200"}},
     {1},
     nullptr,
     {{"Label29", "10"}, {"Label35", kInadmissible}, {"Label46", "0,12 мА"}, {"Label50", "3,12 мА"}}},
    {"a new |Ек1| unseen until step 8 runs again",
     true,
     {{"Edit18", "9"}},
     {9},
     nullptr,
     {{"Label77", "21403,9172371277 Ом"}}},

    // Steps pressed before the steps that set their quantities.
    {"step 4 before step 1",
     false,
     {{"Edit12", "3"}},
     {4},
     "Invalid floating point operation",
     {{"Label44", ""}, {"Label46", ""}, {"Label48", ""}, {"Label50", ""}}},
    {"step 4 before step 1 with I'к1 chosen",
     false,
     {{"Edit13", "1"}, {"Edit12", "3"}},
     {3, 4},
     "Floating point division by zero",
     {{"Label44", ""}, {"Label46", ""}, {"Label48", ""}, {"Label50", ""}}},
    {"step 4 after step 1 but before step 3",
     false,
     kFullRunInputs,
     {1, 4},
     nullptr,
     {{"Label44", "0 мА"}, {"Label46", "0,12 мА"}, {"Label48", "0 мА"}, {"Label50", "3,12 мА"}}},
    {"step 5 before step 4", false, kFullRunInputs, {3, 5}, nullptr, {{"Label56", "0,0002 Вт"}, {"Label58", "0 Вт"}}},
    {"step 8 before step 4",
     false,
     kFullRunInputs,
     {7, 8},
     "Floating point division by zero",
     {{"Label68", ""}, {"Label70", ""}, {"Label72", ""}, {"Label74", ""}}},
    {"step 8 before step 7",
     false,
     kFullRunInputs,
     {1, 2, 3, 4, 5, 8},
     nullptr,
     {{"Label68", "818,274803954995 Ом"},
      {"Label70", "-793,650793650794 Ом"},
      {"Label72", "-17460,3174603175 Ом"},
      {"Label74", "6857,14285714286 Ом"}}},
    {"step 9 before step 8", false, kFullRunInputs, {2, 7, 9}, nullptr, {{"Label77", "-6987,35818476499 Ом"}}},
    {"step 10 before step 9",
     false,
     kFullRunInputs,
     {1, 2, 3, 4, 5, 6, 7, 8, 10},
     "Floating point division by zero",
     {{"Label82", ""}, {"Label83", ""}, {"Label85", ""}}},
    {"step 10 before any other",
     false,
     kFullRunInputs,
     {10},
     "Invalid floating point operation",
     {{"Label82", ""}, {"Label83", ""}, {"Label85", ""}}},
    {"step 11 before steps 9 and 10",
     false,
     {{"Edit27", "100"}},
     {11},
     "Invalid floating point operation",
     {{"Label88", ""}, {"Label90", ""}}},

    // A read that faults leaves the reads before it stored, and its own quantity as it was.
    {"gains read before a bad one",
     true,
     {{"Edit9", "50"}, {"Edit10", "x"}},
     {1, 4},
     nullptr,
     {{"Label29", "4"}, {"Label46", "0,06 мА"}, {"Label50", "3,06 мА"}}},
    {"a bad reverse current keeps the old one",
     true,
     {{"Edit11", "x"}},
     {2, 9},
     nullptr,
     {{"Label39", "50 мкА"}, {"Label77", "21403,9172371277 Ом"}}},
    {"voltages read before a bad one",
     true,
     {{"Edit15", "0,4"}, {"Edit17", "x"}},
     {5, 8},
     nullptr,
     {{"Label58", "0,000984 Вт"}, {"Label70", "2603,1746031746 Ом"}}},
    {"tolerances read before a bad U'э",
     true,
     {{"Edit5", "0"}, {"Edit6", "0"}, {"Edit20", "x"}},
     {8, 9},
     nullptr,
     {{"Label68", "818,274803954995 Ом"}, {"Label77", "26075,85089141 Ом"}}},
    {"Rк1 read before a bad Rб2",
     true,
     {{"Edit24", "10000"}, {"Edit23", "x"}},
     {9, 10},
     nullptr,
     {{"Label77", "21403,9172371277 Ом"},
      {"Label82", "0,0496722875816993 Вт"},
      {"Label83", "0,00331764705882353 Вт"},
      {"Label85", "0,0264949673202614 Вт"}}},
    {"R read before Rк1 + R = 0 faults",
     true,
     {{"Edit26", "-6800"}},
     {10, 11},
     nullptr,
     {{"Label88", "-0,748 мкс"}, {"Label90", "-1,1968 мкс"}}},
};

const std::vector<FaultCase> kFaultCases = {
    // Step 1.
    {"a bad β1 at tmin", {{"Edit7", "abc"}}, {1}, "'abc' is not a valid floating point value", {}},
    {"an empty β2 at tmax", {{"Edit10", ""}}, {1}, "'' is not a valid floating point value", {}},
    {"β1 at tmin = 0", {{"Edit7", "0"}}, {1}, "Floating point division by zero", {}},
    {"both β1 = 0", {{"Edit7", "0"}, {"Edit8", "0"}}, {1}, "Invalid floating point operation", {}},
    // Sн1max is above 8 here: its verdict waits until Sн2max has been computed and shown.
    {"β2 at tmin = 0", {{"Edit7", "10"}, {"Edit9", "0"}}, {1}, "Floating point division by zero", {{"Label26", "12"}}},
    {"both β2 = 0",
     {{"Edit7", "10"}, {"Edit9", "0"}, {"Edit10", "0"}},
     {1},
     "Invalid floating point operation",
     {{"Label26", "12"}}},
    {"an input beyond the double range", {{"Edit8", "1E400"}}, {1}, "Floating point overflow", {}},
    {"a coefficient beyond the double range",
     {{"Edit7", "0,1"}, {"Edit8", "1E308"}},
     {1},
     "Floating point overflow",
     {}},
    // Steps 2 and 3.
    {"a bad reverse current", {{"Edit11", "5 mkA"}}, {2}, "'5 mkA' is not a valid floating point value", {}},
    {"a bad I'к1", {{"Edit13", "1.5"}}, {3}, "'1.5' is not a valid floating point value", {}},
    // Step 4.
    {"β1 at tmin = 0 at step 4", {{"Edit7", "0"}}, {1, 4}, "Floating point division by zero", {}},
    {"β1 at tmin = 0 and I'к1 = 0 at step 4",
     {{"Edit7", "0"}, {"Edit13", "0"}},
     {3, 1, 4},
     "Invalid floating point operation",
     {{"Label40", "0 мА"}}},
    {"a bad I'к2",
     {{"Edit13", "2"}, {"Edit12", "x"}},
     {3, 4},
     "'x' is not a valid floating point value",
     {{"Label40", "4 мА"}, {"Label44", "0,05 мА"}}},
    {"β2 at tmin = 0 at step 4",
     {{"Edit13", "2"}, {"Edit9", "0"}},
     {3, 1, 4},
     "Floating point division by zero",
     {{"Label40", "4 мА"}, {"Label44", "0,05 мА"}}},
    {"β2 at tmin = 0 and I'к2 = 0 at step 4",
     {{"Edit13", "2"}, {"Edit9", "0"}, {"Edit12", "0"}},
     {3, 1, 4},
     "Invalid floating point operation",
     {{"Label40", "4 мА"}, {"Label44", "0,05 мА"}}},
    // Step 5.
    {"a bad saturation voltage",
     {{"Edit14", "0,25"}, {"Edit16", "-"}},
     {5},
     "'-' is not a valid floating point value",
     {}},
    // Step 6.
    {"a bad amplitude at T1", {{"Edit1", "x"}}, {6}, "'x' is not a valid floating point value", {}},
    {"a bad amplitude at T2",
     {{"Edit1", "7"}, {"Edit2", "x"}},
     {6},
     "'x' is not a valid floating point value",
     {{"Label60", "7 В"}}},
    // Step 7.
    {"a bad Ек2", {{"Edit19", "12 V"}}, {7}, "'12 V' is not a valid floating point value", {}},
    // Step 8.
    {"a bad supply tolerance", {{"Edit5", "x"}}, {8}, "'x' is not a valid floating point value", {}},
    {"a bad resistance tolerance", {{"Edit6", "x"}}, {8}, "'x' is not a valid floating point value", {}},
    {"a bad U'э", {{"Edit20", "x"}}, {8}, "'x' is not a valid floating point value", {}},
    {"I'э2 = I'э1",
     {{"Edit9", "40"}, {"Edit12", "1"}},
     {1, 4, 8},
     "Floating point division by zero",
     {{"Label29", "2,5"}, {"Label46", "0,025 мА"}, {"Label50", "1,025 мА"}}},
    {"I'э2 = I'э1 and U'э = 0",
     {{"Edit9", "40"}, {"Edit12", "1"}, {"Edit20", "0"}},
     {1, 4, 8},
     "Invalid floating point operation",
     {{"Label29", "2,5"}, {"Label46", "0,025 мА"}, {"Label50", "1,025 мА"}}},
    {"I'э2 = I'э1 and a supply tolerance of 100 %",
     {{"Edit9", "40"}, {"Edit12", "1"}, {"Edit5", "100"}},
     {1, 4, 8},
     "Invalid floating point operation",
     {{"Label29", "2,5"}, {"Label46", "0,025 мА"}, {"Label50", "1,025 мА"}}},
    {"a resistance tolerance of -100 %", {{"Edit6", "-100"}}, {8}, "Floating point division by zero", {}},
    {"I'к2 = 0",
     {{"Edit12", "0"}},
     {4, 8},
     "Floating point division by zero",
     {{"Label46", "0 мА"}, {"Label50", "0 мА"}, {"Label68", "-1672,47386759582 Ом"}}},
    // I'б2 = 1E-300 / 1E308 is too small for a double and is stored as 0, while I'к2 is not 0.
    {"I'б2 = 0",
     {{"Edit9", "1E308"}, {"Edit10", "1E308"}, {"Edit12", "1E-300"}},
     {1, 4, 8},
     "Floating point division by zero",
     {{"Label29", "1"},
      {"Label46", "0 мА"},
      {"Label50", "1E-300 мА"},
      {"Label68", "-1672,47386759582 Ом"},
      {"Label70", "7,9047619047619E303 Ом"}}},
    {"a bad |Ек1|",
     {{"Edit5", "0"}, {"Edit6", "0"}, {"Edit18", "x"}},
     {8},
     "'x' is not a valid floating point value",
     {{"Label68", "954,653937947494 Ом"}, {"Label70", "3233,33333333333 Ом"}, {"Label72", "83333,3333333333 Ом"}}},
    {"I'к1 = 0 at step 8",
     {{"Edit5", "0"}, {"Edit6", "0"}, {"Edit13", "0"}},
     {3, 8},
     "Floating point division by zero",
     {{"Label40", "0 мА"},
      {"Label68", "954,653937947494 Ом"},
      {"Label70", "3233,33333333333 Ом"},
      {"Label72", "83333,3333333333 Ом"}}},
    {"I'к1 = 0 and |Ек1| = -U'э",
     {{"Edit5", "0"}, {"Edit6", "0"}, {"Edit13", "0"}, {"Edit18", "-2"}},
     {3, 8},
     "Invalid floating point operation",
     {{"Label40", "0 мА"},
      {"Label68", "954,653937947494 Ом"},
      {"Label70", "3233,33333333333 Ом"},
      {"Label72", "83333,3333333333 Ом"}}},
    // Step 9.
    {"a bad Iко2", {{"Edit25", "x"}}, {9}, "'x' is not a valid floating point value", {}},
    {"a bad Rк1", {{"Edit24", "x"}}, {9}, "'x' is not a valid floating point value", {}},
    {"a bad Rб2", {{"Edit23", "x"}}, {9}, "'x' is not a valid floating point value", {}},
    {"Ек2 = 0 and Iко2 = 0",
     {{"Edit19", "0"}, {"Edit25", "0"}},
     {7, 9},
     "Floating point division by zero",
     {{"Label65", "0...0 В"}}},
    {"Ек2 = 0 and Rб2 = 0",
     {{"Edit19", "0"}, {"Edit23", "0"}},
     {7, 9},
     "Invalid floating point operation",
     {{"Label65", "0...0 В"}}},
    // Step 10.
    {"a bad Rк2", {{"Edit22", "x"}}, {10}, "'x' is not a valid floating point value", {}},
    {"Rк2 = 0", {{"Edit22", "0"}}, {10}, "Floating point division by zero", {}},
    {"Rк1 = 0", {{"Edit24", "0"}}, {9, 10}, "Floating point division by zero", {{"Label77", "29868,6120137168 Ом"}}},
    {"Rб2 = 0", {{"Edit23", "0"}}, {9, 10}, "Floating point division by zero", {{"Label77", "-8311,11111111111 Ом"}}},
    {"a bad R",
     {{"Edit22", "3300"}, {"Edit26", "x"}},
     {10},
     "'x' is not a valid floating point value",
     {{"Label82", "0,0441491978609626 Вт"}}},
    {"Rк1 + R = 0", {{"Edit26", "-6800"}}, {10}, "Floating point division by zero", {}},
    // Step 11.
    {"a bad С", {{"Edit27", "x"}}, {11}, "'x' is not a valid floating point value", {}},
    {"R + Rк1 + Rб2 = 0",
     {{"Edit26", "-74800"}},
     {10, 11},
     "Floating point division by zero",
     {{"Label83", "0,00158823529411765 Вт"}, {"Label85", "0,026787908496732 Вт"}}},
};

} // namespace

const CalculatorCases &Form5Cases()
{
    static const CalculatorCases cases{
        .name = "Form5",
        .create = [] { return std::make_unique<TForm5>(); },
        .steps = 11,
        .title = "Триггер с эмиттерной связью",
        .extent = {953, 1603},
        .scrollsVertically = true,
        .tabOrder = {"Edit1",   "Edit2",   "Edit3",  "Edit4",    "Edit5",    "Edit6",  "Button1", "Edit7",
                     "Edit8",   "Edit9",   "Edit10", "Button2",  "Edit11",   "Edit13", "Button3", "Edit12",
                     "Button4", "Button5", "Edit14", "Edit15",   "Edit16",   "Edit17", "Button6", "Edit18",
                     "Edit19",  "Button7", "Edit20", "Button8",  "Edit21",   "Edit22", "Edit23",  "Edit24",
                     "Button9", "Edit25",  "Edit26", "Button10", "Button11", "Edit27", "Button12"},
        .editsOverPrompts = 24,
        .fonts = {{"Label1", "MS Reference Sans Serif", 15, true, false},
                  {"Label3", "Tahoma", 15, false, false},
                  {"Label6", "Tahoma", 15, false, false},
                  {"Label14", "Tahoma", 15, false, false},
                  {"Label26", "Tahoma", 15, true, false},
                  {"Label34", "Tahoma", 15, false, true},
                  {"Label30", "Symbol", 13, true, false},
                  {"Edit1", "Tahoma", 15, false, false},
                  {"Button1", "Tahoma", 15, false, false},
                  {"Button12", "Tahoma", 15, false, false},
                  {"Label91", "Tahoma", 10, false, false}},
        .neverWritten = {"Label91"},
        .neverRead = {"Edit3", "Edit4"},
        .fullRunInputs = kFullRunInputs,
        .fullRunResults = kFullRunResults,
        .scenarios = kScenarios,
        .faults = kFaultCases,
    };
    return cases;
}

namespace {

// Button12 is no step: it shows the one load connection window, in front, as the user left it.
TEST(Form5, Button12ShowsTheOneLoadConnectionWindow)
{
    Form5->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form5));
    Form6->close();
    QPushButton *button12 = Find<QPushButton>(Form5, "Button12");

    EXPECT_TRUE(ClickAndCollect(button12).empty());
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form6));
    Type(Find<QLineEdit>(Form6, "Edit1"), QStringLiteral("12"));

    Form5->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form5));
    EXPECT_TRUE(ClickAndCollect(button12).empty());
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form6)) << "pressed again, it brings the window to the front";

    Form6->close();
    EXPECT_TRUE(ClickAndCollect(button12).empty());
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_EQ(VisibleWindowsNamed(QStringLiteral("Form6")), 1);
    EXPECT_EQ(Find<QLineEdit>(Form6, "Edit1")->text(), QStringLiteral("12"));

    Find<QLineEdit>(Form6, "Edit1")->clear();
    Form6->close();
    Form5->close();
}

} // namespace
