// Form4's own tables; the common tests run them (calculator_windows_test.cpp).
#include "calculators/same_type/form4.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <string>

namespace {

const Texts kFullRunInputs = {
    {"Edit1", "5"},    {"Edit2", "100"}, {"Edit3", "50"},     {"Edit4", "2"},      {"Edit5", "8"},
    {"Edit10", "70"},  {"Edit8", "20"},  {"Edit11", "430"},   {"Edit9", "5"},      {"Edit12", "1200"},
    {"Edit13", "160"}, {"Edit7", "40"},  {"Edit14", "20000"}, {"Edit16", "12000"}, {"Edit6", "1"},
};

const Texts kFullRunResults = {
    {"Label12", "7,5...8 В"},
    {"Label16", "16 В"},
    {"Label18", "0,142857142857143 МГц"},
    {"Label24", "12,6491106406735 мА"},
    {"Label26", "395,284707521047 Ом"},
    {"Label29", "860...1720 Ом"},
    {"Label32", "158,113883008419 Ом"},
    {"Label35", "40 мкА"},
    {"Label37", "23529,4117647059 Ом"},
    {"Label40", "13030,303030303 Ом"},
    {"Label43", "13435,9692092372 Ом"},
    {"Label46", "31304,347826087 Ом"},
    {"Label48", "211,240310077519 пФ"},
    {"Label50", "1225,49019607843 пФ"},
    {"Label52", "0,318309886183791 мкс"},
    {"Label54", "5,83050847457627 В"},
};

const char *const kDivisionByZero = "Floating point division by zero";
const char *const kInvalidOp = "Invalid floating point operation";
const char *const kOverflow = "Floating point overflow";

const std::vector<Scenario> kScenarios = {
    // Rк2 holds whatever step 3 or step 4 stored last.
    {"the lower bound of Rк2 back after step 4",
     true,
     {},
     {3, 7},
     nullptr,
     {{"Label26", "395,284707521047 Ом"}, {"Label40", "11978,3244703348 Ом"}}},
    {"the lower bound of Rк2 in the bound of R2", true, {}, {3, 8}, nullptr, {{"Label43", "14530,2352983391 Ом"}}},
    {"the lower bound of Rк2 in the output amplitude",
     true,
     {},
     {3, 10},
     nullptr,
     {{"Label48", "211,240310077519 пФ"}, {"Label54", "5,69487619114473 В"}}},
    {"the chosen Rк2 again after step 4", true, {}, {3, 4, 7}, nullptr, {{"Label40", "13030,303030303 Ом"}}},

    // A box reaches the formulas only through the step that reads it.
    {"Fвх changed without step 2",
     true,
     {{"Edit2", "200"}},
     {10},
     nullptr,
     {{"Label48", "211,240310077519 пФ"}, {"Label50", "1225,49019607843 пФ"}}},
    {"Fвх changed with step 2",
     true,
     {{"Edit2", "200"}},
     {2, 10},
     nullptr,
     {{"Label18", "0,285714285714286 МГц"}, {"Label48", "105,62015503876 пФ"}, {"Label50", "612,745098039216 пФ"}}},
    {"tокр changed with steps 3 and 6",
     true,
     {{"Edit3", "30"}},
     {3, 6},
     nullptr,
     {{"Label24", "17,8885438199983 мА"},
      {"Label26", "279,508497187474 Ом"},
      {"Label35", "10 мкА"},
      {"Label37", "94117,6470588235 Ом"}}},
    {"a boundary frequency of 2 MHz", true, {{"Edit6", "2"}}, {10}, nullptr, {{"Label52", "0,159154943091895 мкс"}}},
    {"step 5 reads no box",
     true,
     {{"Edit1", "x"}, {"Edit4", "x"}, {"Edit8", "x"}},
     {5},
     nullptr,
     {{"Label32", "158,113883008419 Ом"}}},
    {"step 8 reads no box",
     true,
     {{"Edit5", "x"}, {"Edit7", "x"}, {"Edit9", "x"}, {"Edit11", "x"}, {"Edit12", "x"}, {"Edit13", "x"}},
     {8},
     nullptr,
     {{"Label43", "13435,9692092372 Ом"}}},
    {"a chosen Rк.б that steps 7 and 10 leave alone",
     true,
     {{"Edit15", "x"}},
     {7, 10},
     nullptr,
     {{"Label40", "13030,303030303 Ом"}, {"Label48", "211,240310077519 пФ"}}},

    // A fault keeps what its step stored before it and stores nothing itself; later steps show it.
    {"Uвых.и kept after a bad UR1",
     false,
     {{"Edit1", "6"}, {"Edit4", "x"}, {"Edit10", "70"}, {"Edit3", "50"}, {"Edit8", "20"}},
     {1, 3},
     nullptr,
     {{"Label12", ""}, {"Label26", "474,341649025257 Ом"}}},
    {"tокр kept after a bad Iк max",
     true,
     {{"Edit3", "30"}, {"Edit8", "x"}},
     {3, 6},
     nullptr,
     {{"Label24", "12,6491106406735 мА"}, {"Label35", "10 мкА"}, {"Label37", "94117,6470588235 Ом"}}},
    {"Rк1 kept after a bad R1",
     true,
     {{"Edit9", "6"}, {"Edit12", "1500"}, {"Edit13", "x"}},
     {6, 10},
     nullptr,
     {{"Label35", "40 мкА"}, {"Label50", "1004,01606425703 пФ"}}},
    {"h21 kept after a bad Rб",
     true,
     {{"Edit7", "50"}, {"Edit14", "x"}},
     {7, 9},
     nullptr,
     {{"Label40", "13030,303030303 Ом"}, {"Label46", "36000 Ом"}}},
    {"the allowed current kept when Tmax = 20",
     true,
     {{"Edit10", "20"}},
     {3, 5},
     nullptr,
     {{"Label32", "158,113883008419 Ом"}}},
    {"the chosen Rк2 kept when the allowed current is 0",
     true,
     {{"Edit8", "0"}},
     {3, 7},
     nullptr,
     {{"Label24", "0 мА"}, {"Label40", "13030,303030303 Ом"}}},

    // Steps pressed before the steps that set their quantities.
    {"step 5 first", false, {}, {5}, kInvalidOp, {{"Label32", ""}}},
    {"step 5 after step 1 only",
     false,
     {{"Edit1", "5"}, {"Edit4", "2"}},
     {1, 5},
     kDivisionByZero,
     {{"Label12", "7,5...8 В"}, {"Label32", ""}}},
    {"step 3 before step 1",
     false,
     {{"Edit10", "70"}, {"Edit3", "50"}, {"Edit8", "20"}},
     {3},
     nullptr,
     {{"Label24", "12,6491106406735 мА"}, {"Label26", "0 Ом"}}},
    {"step 8 first", false, {}, {8}, kInvalidOp, {{"Label43", ""}}},
    {"step 10 first",
     false,
     {{"Edit6", "1"}},
     {10},
     kInvalidOp,
     {{"Label48", ""}, {"Label50", ""}, {"Label52", ""}, {"Label54", ""}}},
    {"step 10 after step 7 only",
     false,
     {{"Edit7", "40"}, {"Edit14", "20000"}, {"Edit6", "1"}},
     {7, 10},
     kDivisionByZero,
     {{"Label40", "0 Ом"}, {"Label48", ""}, {"Label50", ""}, {"Label52", ""}, {"Label54", ""}}},
};

const std::vector<FaultCase> kFaultCases = {
    // Step 1.
    {"a bad Uвых.и", {{"Edit1", "abc"}}, {1}, "'abc' is not a valid floating point value", {}},
    {"an empty UR1 after a good Uвых.и",
     {{"Edit1", "6"}, {"Edit4", ""}},
     {1},
     "'' is not a valid floating point value",
     {}},
    {"an input beyond the double range", {{"Edit1", "1E400"}}, {1}, kOverflow, {}},
    {"a range beyond the double range", {{"Edit1", "1,7E308"}}, {1}, kOverflow, {}},
    // Step 2.
    {"a foreign separator in Ек", {{"Edit5", "8.5"}}, {2}, "'8.5' is not a valid floating point value", {}},
    {"a bad Fвх after Ек",
     {{"Edit5", "9"}, {"Edit2", "1 00"}},
     {2},
     "'1 00' is not a valid floating point value",
     {{"Label16", "18 В"}}},
    // Step 3.
    {"a bad Iк max after both temperatures",
     {{"Edit10", "80"}, {"Edit3", "40"}, {"Edit8", "2O"}},
     {3},
     "'2O' is not a valid floating point value",
     {}},
    {"Tmax = 20", {{"Edit10", "20"}}, {3}, kDivisionByZero, {}},
    {"Tmax = tокр = 20", {{"Edit10", "20"}, {"Edit3", "20"}}, {3}, kInvalidOp, {}},
    {"tокр above Tmax above 20", {{"Edit10", "70"}, {"Edit3", "80"}}, {3}, kInvalidOp, {}},
    {"Iк max = 0", {{"Edit8", "0"}}, {3}, kDivisionByZero, {{"Label24", "0 мА"}}},
    {"tокр = Tmax", {{"Edit3", "70"}}, {3}, kDivisionByZero, {{"Label24", "0 мА"}}},
    {"Iк max = 0 and Uвых.и = 0",
     {{"Edit1", "0"}, {"Edit8", "0"}},
     {1, 3},
     kInvalidOp,
     {{"Label12", "2...2 В"}, {"Label24", "0 мА"}}},
    // Step 4.
    {"a bad Rк2", {{"Edit11", "<b>430</b>"}}, {4}, "'<b>430</b>' is not a valid floating point value", {}},
    // Step 5: step 3 stores the zero current before its own fault.
    {"an allowed current of 0", {{"Edit8", "0"}}, {3, 5}, kDivisionByZero, {{"Label24", "0 мА"}}},
    // Step 6.
    {"a bad R1 after Iкo and Rк1",
     {{"Edit9", "6"}, {"Edit12", "1500"}, {"Edit13", "abc"}},
     {6},
     "'abc' is not a valid floating point value",
     {}},
    {"Iкo = 0", {{"Edit9", "0"}}, {6}, kDivisionByZero, {{"Label35", "0 мкА"}}},
    {"R1 + Rк1 = 0", {{"Edit12", "-160"}}, {6}, kDivisionByZero, {}},
    {"Iкo = 0 and Ек = 0",
     {{"Edit5", "0"}, {"Edit9", "0"}},
     {2, 6},
     kInvalidOp,
     {{"Label16", "0 В"}, {"Label35", "0 мкА"}}},
    // Step 7.
    {"a bad Rб after h21", {{"Edit7", "50"}, {"Edit14", "2x"}}, {7}, "'2x' is not a valid floating point value", {}},
    {"h21 R1 + Rб = 0", {{"Edit14", "-6400"}}, {7}, kDivisionByZero, {}},
    // Step 8: Rк2 = 0, and step 6 stores the zero reverse current before its own fault.
    {"a zero divisor of R2",
     {{"Edit11", "0"}, {"Edit9", "0"}},
     {4, 6, 8},
     kDivisionByZero,
     {{"Label29", "0...0 Ом"}, {"Label35", "0 мкА"}}},
    {"a zero divisor of R2 with Ек = 0",
     {{"Edit5", "0"}, {"Edit9", "0"}},
     {2, 6, 8},
     kInvalidOp,
     {{"Label16", "0 В"}, {"Label35", "0 мкА"}}},
    // Step 9.
    {"a bad R2", {{"Edit16", "12 000"}}, {9}, "'12 000' is not a valid floating point value", {}},
    {"h21 R1 + R2 = 0", {{"Edit16", "-6400"}}, {9}, kDivisionByZero, {}},
    // Step 10. Rб = -h21 (Rк2 + R1) makes the bound of Rк.б exactly -Rб.
    {"Rк.б max + Rб = 0", {{"Edit14", "-23600"}}, {7, 10}, kDivisionByZero, {{"Label40", "23600 Ом"}}},
    {"Rк.б max = Rб = 0", {{"Edit14", "0"}}, {7, 10}, kInvalidOp, {{"Label40", "0 Ом"}}},
    {"Fвх = 0", {{"Edit2", "0"}}, {2, 10}, kDivisionByZero, {{"Label18", "0 МГц"}}},
    {"Rк1 + R1 = 0", {{"Edit12", "-160"}}, {6, 10}, kDivisionByZero, {}},
    {"a bad boundary frequency",
     {{"Edit2", "200"}, {"Edit6", "abc"}},
     {2, 10},
     "'abc' is not a valid floating point value",
     {{"Label18", "0,285714285714286 МГц"}, {"Label48", "105,62015503876 пФ"}, {"Label50", "612,745098039216 пФ"}}},
    {"a boundary frequency of 0",
     {{"Edit2", "200"}, {"Edit6", "0"}},
     {2, 10},
     kDivisionByZero,
     {{"Label18", "0,285714285714286 МГц"}, {"Label48", "105,62015503876 пФ"}, {"Label50", "612,745098039216 пФ"}}},
    {"R1 + Rк2 = 0",
     {{"Edit11", "-160"}, {"Edit6", "2"}},
     {4, 10},
     kDivisionByZero,
     {{"Label29", "-320...-640 Ом"}, {"Label52", "0,159154943091895 мкс"}}},
};

} // namespace

const CalculatorCases &Form4Cases()
{
    static const CalculatorCases cases{
        .name = "Form4",
        .create = [] { return std::make_unique<TForm4>(); },
        .steps = 10,
        .title = "Несимметричный триггер",
        .extent = {1081, 1297},
        .scrollsVertically = true,
        .tabOrder = {"Edit1",   "Edit2",  "Edit3",   "Button1", "Edit4",   "Edit5",   "Button2", "Edit6",   "Edit7",
                     "Edit8",   "Edit9",  "Edit10",  "Button3", "Edit11",  "Button4", "Edit12",  "Button5", "Edit13",
                     "Button6", "Edit14", "Button7", "Edit15",  "Button8", "Edit16",  "Button9", "Button10"},
        // Edit7 stands after its prompt's text, not over a run of blanks.
        .editsOverPrompts = 15,
        .fonts = {{"Label1", "MS Reference Sans Serif", 15, true, false},
                  {"Label3", "Tahoma", 15, false, false},
                  {"Label7", "Tahoma", 15, false, false},
                  {"Label12", "Tahoma", 15, true, false},
                  {"Edit1", "Tahoma", 15, false, false},
                  {"Button1", "Tahoma", 15, false, false},
                  {"Label55", "Tahoma", 13, false, false}},
        .neverWritten = {"Label55"},
        .fullRunInputs = kFullRunInputs,
        .fullRunResults = kFullRunResults,
        .scenarios = kScenarios,
        .faults = kFaultCases,
    };
    return cases;
}

namespace {

// The box for a chosen Rк.б only records the user's choice: no step reads it.
TEST(Form4, NoStepReadsTheChosenCouplingResistor)
{
    for (int step = 1; step <= 10; ++step) {
        TForm4 form;
        form.show();
        for (const auto &[edit, text] : kFullRunInputs)
            Type(Find<QLineEdit>(&form, edit), QString::fromUtf8(text));
        Type(Find<QLineEdit>(&form, "Edit15"), QStringLiteral("abc"));
        for (int earlier = 1; earlier < step; ++earlier)
            ClickAndCollect(Find<QPushButton>(&form, ("Button" + std::to_string(earlier)).c_str()));
        EXPECT_TRUE(ClickAndCollect(Find<QPushButton>(&form, ("Button" + std::to_string(step)).c_str())).empty())
            << "step " << step;
    }
}

} // namespace
