// Form7's own tables; the common tests run them (calculator_windows_test.cpp).
#include "calculators/complementary/form7.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const Texts kFullRunInputs = {
    {"Edit7", "40"},    {"Edit8", "120"},    {"Edit9", "30"},     {"Edit10", "270"},   {"Edit1", "10"},
    {"Edit2", "9"},     {"Edit13", "5"},     {"Edit14", "2,5"},   {"Edit15", "5"},     {"Edit16", "4"},
    {"Edit17", "0,2"},  {"Edit18", "0,3"},   {"Edit19", "0,7"},   {"Edit20", "0,8"},   {"Edit5", "10"},
    {"Edit6", "5"},     {"Edit11", "12"},    {"Edit12", "12"},    {"Edit25", "0,5"},   {"Edit26", "0,5"},
    {"Edit27", "10"},   {"Edit28", "20"},    {"Edit21", "75000"}, {"Edit22", "82000"}, {"Edit23", "2000"},
    {"Edit24", "2400"}, {"Edit29", "30000"}, {"Edit30", "33000"},
};

const Texts kFullRunResults = {
    {"Label25", "3"},
    {"Label26", "Sн1max в пределах нормы; "},
    {"Label29", "9"},
    {"Label30", "недопустим! См. стр. 24 "},
    {"Label32", "11...13 В"},
    {"Label34", "9,9...11,7 В"},
    {"Label39", "50 мкА"},
    {"Label41", "25 мкА"},
    {"Label44", "0,125 мА"},
    {"Label46", "0,133333333333333 мА"},
    {"Label52", "0,0010875 Вт"},
    {"Label54", "0,00130666666666667 Вт"},
    {"Label56", "82285,7142857143 Ом"},
    {"Label58", "77142,8571428571 Ом"},
    {"Label60", "2057,14285714286 Ом"},
    {"Label62", "2571,42857142857 Ом"},
    {"Label69", "56744,1002210956 Ом"},
    {"Label71", "49499,4275063241 Ом"},
    {"Label74", "0,132747024390244 Вт"},
    {"Label76", "0,0122438941711451 Вт"},
    {"Label78", "0,0724954592806945 Вт"},
};

// The step-7 boxes of the full run.
const Texts kClosingInputs = {
    {"Edit25", "0,5"},   {"Edit26", "0,5"},   {"Edit27", "10"},   {"Edit28", "20"},
    {"Edit21", "75000"}, {"Edit22", "82000"}, {"Edit23", "2000"}, {"Edit24", "2400"},
};

Texts With(Texts texts, const Texts &changes)
{
    for (const auto &change : changes)
        texts.push_back(change);
    return texts;
}

// Texts not given by an example were worked out from the formulas in exact rational arithmetic,
// rounded to 64 bits after each operation and to 53 when stored.
const std::vector<Scenario> kScenarios = {
    // The verdicts compare with 8 itself.
    {"8 is still within the norm, 9 is not",
     false,
     {{"Edit7", "40"}, {"Edit8", "320"}, {"Edit9", "30"}, {"Edit10", "270"}},
     {1},
     nullptr,
     {{"Label25", "8"},
      {"Label26", "Sн1max в пределах нормы; "},
      {"Label29", "9"},
      {"Label30", "недопустим! См. стр. 24 "}}},
    {"just above 8",
     false,
     {{"Edit7", "40"}, {"Edit8", "321"}, {"Edit9", "30"}, {"Edit10", "270"}},
     {1},
     nullptr,
     {{"Label25", "8,025"}, {"Label26", "недопустим! См. стр. 24 "}}},
    {"negative and zero coefficients are within the norm",
     false,
     {{"Edit7", "-40"}, {"Edit8", "320"}, {"Edit9", "30"}, {"Edit10", "0"}},
     {1},
     nullptr,
     {{"Label25", "-8"},
      {"Label26", "Sн1max в пределах нормы; "},
      {"Label29", "0"},
      {"Label30", "Sн2max в пределах нормы; "}}},

    // Results of particular inputs.
    {"amplitudes of 10 and 9",
     false,
     {{"Edit1", "10"}, {"Edit2", "9"}},
     {2},
     nullptr,
     {{"Label32", "11...13 В"}, {"Label34", "9,9...11,7 В"}}},
    {"an amplitude of 3", false, {{"Edit1", "3"}, {"Edit2", "9"}}, {2}, nullptr, {{"Label32", "3,3...3,9 В"}}},
    {"the R1 bound takes the closed T2's reverse base current",
     true,
     {{"Edit28", "40"}},
     {7},
     nullptr,
     {{"Label69", "50957,3457860635 Ом"}, {"Label71", "49499,4275063241 Ом"}}},
    {"the R2 bound takes the closed T1's reverse base current",
     true,
     {{"Edit27", "40"}},
     {7},
     nullptr,
     {{"Label69", "56744,1002210956 Ом"}, {"Label71", "42365,342214056 Ом"}}},

    // Later steps take what earlier steps stored, not what their boxes show now.
    {"steps 7 and 8 take the supplies step 6 stored",
     true,
     {{"Edit11", "15"}, {"Edit12", "15"}},
     {7, 8},
     nullptr,
     {{"Label69", "56744,1002210956 Ом"},
      {"Label71", "49499,4275063241 Ом"},
      {"Label74", "0,132747024390244 Вт"},
      {"Label76", "0,0122438941711451 Вт"},
      {"Label78", "0,0724954592806945 Вт"}}},
    {"step 8 takes the resistors step 7 stored",
     true,
     {{"Edit21", "1"}, {"Edit22", "1"}, {"Edit23", "1"}, {"Edit24", "1"}},
     {8},
     nullptr,
     {{"Label74", "0,132747024390244 Вт"}, {"Label76", "0,0122438941711451 Вт"}, {"Label78", "0,0724954592806945 Вт"}}},
    {"a bad box stops step 1 after the boxes before it are stored",
     false,
     {{"Edit7", "10"}, {"Edit8", "abc"}, {"Edit15", "5"}, {"Edit16", "4"}},
     {1, 4},
     "Floating point division by zero",
     {{"Label25", ""}, {"Label44", "0,5 мА"}, {"Label46", ""}}},

    // Steps pressed before the steps that set their quantities.
    {"step 4 before step 1",
     false,
     {{"Edit15", "5"}, {"Edit16", "4"}},
     {4},
     "Floating point division by zero",
     {{"Label44", ""}, {"Label46", ""}}},
    {"step 4 before step 1 with no current",
     false,
     {{"Edit15", "0"}, {"Edit16", "4"}},
     {4},
     "Invalid floating point operation",
     {{"Label44", ""}, {"Label46", ""}}},
    {"step 5 before step 4",
     false,
     {{"Edit17", "0,2"}, {"Edit18", "0,3"}, {"Edit19", "0,7"}, {"Edit20", "0,8"}},
     {5},
     nullptr,
     {{"Label52", "0 Вт"}, {"Label54", "0 Вт"}}},
    {"step 6 before step 4",
     false,
     {{"Edit5", "10"}, {"Edit6", "5"}, {"Edit11", "12"}, {"Edit12", "12"}},
     {6},
     "Floating point division by zero",
     {{"Label56", ""}, {"Label58", ""}, {"Label60", ""}, {"Label62", ""}}},
    {"step 6 before step 4 with no supply",
     false,
     {{"Edit5", "10"}, {"Edit6", "5"}, {"Edit11", "0"}, {"Edit12", "12"}},
     {6},
     "Invalid floating point operation",
     {{"Label56", ""}, {"Label58", ""}, {"Label60", ""}, {"Label62", ""}}},
    {"step 7 before steps 3 and 6",
     false,
     kClosingInputs,
     {7},
     nullptr,
     {{"Label69", "33964,9122807017 Ом"}, {"Label71", "-162000 Ом"}}},
    {"step 7 before steps 3 and 6 with nothing to close T2",
     false,
     With(kClosingInputs, {{"Edit26", "0"}, {"Edit28", "0"}}),
     {7},
     "Invalid floating point operation",
     {{"Label69", ""}, {"Label71", ""}}},
    {"step 7 before steps 3 and 6 with nothing to close T1",
     false,
     With(kClosingInputs, {{"Edit25", "0"}, {"Edit27", "0"}}),
     {7},
     "Invalid floating point operation",
     {{"Label69", "33964,9122807017 Ом"}, {"Label71", ""}}},
    {"step 8 before step 7",
     false,
     kFullRunInputs,
     {1, 2, 3, 4, 5, 6, 8},
     "Floating point division by zero",
     {{"Label62", "2571,42857142857 Ом"}, {"Label74", ""}, {"Label76", ""}, {"Label78", ""}}},
    {"step 8 before all others",
     false,
     {{"Edit29", "30000"}, {"Edit30", "33000"}},
     {8},
     "Invalid floating point operation",
     {{"Label74", ""}, {"Label76", ""}, {"Label78", ""}}},
};

const std::vector<FaultCase> kFaultCases = {
    // Text that is not a number, and numbers too large to keep.
    {"a bad box in step 1", {{"Edit7", "abc"}}, {1}, "'abc' is not a valid floating point value", {}},
    {"an empty box in step 1 after three good ones",
     {{"Edit7", "40"}, {"Edit8", "400"}, {"Edit9", "30"}, {"Edit10", ""}},
     {1},
     "'' is not a valid floating point value",
     {}},
    {"a bad second box in step 2",
     {{"Edit1", "3"}, {"Edit2", "abc"}},
     {2},
     "'abc' is not a valid floating point value",
     {{"Label32", "3,3...3,9 В"}}},
    {"a foreign separator in step 3", {{"Edit14", "2.5"}}, {3}, "'2.5' is not a valid floating point value", {}},
    {"blanks inside a box of step 4", {{"Edit16", "4 0"}}, {4}, "'4 0' is not a valid floating point value", {}},
    {"a unit typed into a box of step 5",
     {{"Edit20", "0,8 V"}},
     {5},
     "'0,8 V' is not a valid floating point value",
     {}},
    {"a second decimal mark in step 6", {{"Edit12", "1,2,3"}}, {6}, "'1,2,3' is not a valid floating point value", {}},
    {"a bad last box in step 7", {{"Edit24", "2,4k"}}, {7}, "'2,4k' is not a valid floating point value", {}},
    {"markup typed into a box of step 8",
     {{"Edit30", "<b>1</b>"}},
     {8},
     "'<b>1</b>' is not a valid floating point value",
     {}},
    {"an amplitude whose supply range is beyond the double range",
     {{"Edit1", "1,7E308"}},
     {2},
     "Floating point overflow",
     {}},
    {"a reverse current whose bound is beyond the double range",
     {{"Edit13", "1E308"}},
     {3},
     "Floating point overflow",
     {}},
    {"an input beyond the double range", {{"Edit19", "1E400"}}, {5}, "Floating point overflow", {}},
    {"exponent digits beyond the reader's reach",
     {{"Edit19", "1E5000"}},
     {5},
     "'1E5000' is not a valid floating point value",
     {}},

    // Step 1: a gain of 0 at tmin.
    {"Beta1Tmin = 0", {{"Edit7", "0"}, {"Edit8", "400"}}, {1}, "Floating point division by zero", {}},
    {"Beta1Tmin = Beta1Tmax = 0", {{"Edit7", "0"}, {"Edit8", "0"}}, {1}, "Invalid floating point operation", {}},
    // The new Sn1Max is shown, but neither verdict is written: Label26 still says within the norm.
    {"Beta2Tmin = 0", {{"Edit8", "400"}, {"Edit9", "0"}}, {1}, "Floating point division by zero", {{"Label25", "10"}}},

    // Step 4.
    {"Beta1Tmin = 0 in step 4", {{"Edit7", "0"}, {"Edit15", "10"}}, {1, 4}, "Floating point division by zero", {}},
    {"Beta2Tmin = 0 in step 4",
     {{"Edit9", "0"}, {"Edit15", "10"}},
     {1, 4},
     "Floating point division by zero",
     {{"Label44", "0,25 мА"}}},

    // Step 6: each bound divides by a current and by the resistance tolerance factor.
    {"Ik1 = 0 in step 6", {{"Edit15", "0"}}, {4, 6}, "Floating point division by zero", {{"Label44", "0 мА"}}},
    {"Ik2 = 0 in step 6",
     {{"Edit16", "0"}, {"Edit11", "10"}},
     {4, 6},
     "Floating point division by zero",
     {{"Label46", "0 мА"}, {"Label56", "68571,4285714286 Ом"}}},
    {"DeltaRPct = -100 in step 6", {{"Edit6", "-100"}}, {6}, "Floating point division by zero", {}},
    {"no supply over no current in step 6",
     {{"Edit15", "0"}, {"Edit11", "0"}},
     {4, 6},
     "Invalid floating point operation",
     {{"Label44", "0 мА"}}},

    // Step 7: D2 = 0 stops it before R1Max, D1 = 0 after.
    {"DeltaRPct = -100 in step 7", {{"Edit6", "-100"}}, {6, 7}, "Floating point division by zero", {}},
    {"H2 = Ube20",
     {{"Edit12", "0"}, {"Edit26", "0"}, {"Edit28", "0"}},
     {6, 7},
     "Floating point division by zero",
     {{"Label58", "0 Ом"}, {"Label62", "0 Ом"}}},
    {"H1 = Ube10",
     {{"Edit11", "0"}, {"Edit25", "0"}, {"Edit27", "0"}},
     {6, 7},
     "Floating point division by zero",
     {{"Label56", "0 Ом"}, {"Label60", "0 Ом"}, {"Label69", "547,077997982753 Ом"}}},

    // Step 8: each power is written only once it is computed.
    {"Rk1 = 0 in step 8",
     {{"Edit23", "0"}},
     {7, 8},
     "Floating point division by zero",
     {{"Label69", "58798,7362149236 Ом"}}},
    {"Rb2 = 0 in step 8", {{"Edit22", "0"}}, {7, 8}, "Floating point division by zero", {{"Label69", "-2000 Ом"}}},
    {"R1 + Rk1 = 0",
     {{"Edit17", "0,3"}, {"Edit29", "-2000"}},
     {5, 8},
     "Floating point division by zero",
     {{"Label52", "0,0015875 Вт"}, {"Label74", "0,132147024390244 Вт"}}},
    {"R2 + Rk2 = 0",
     {{"Edit17", "0,3"}, {"Edit30", "-2400"}},
     {5, 8},
     "Floating point division by zero",
     {{"Label52", "0,0015875 Вт"}, {"Label74", "0,132147024390244 Вт"}}},
};

} // namespace

const CalculatorCases &Form7Cases()
{
    static const CalculatorCases cases{
        .name = "Form7",
        .create = [] { return std::make_unique<TForm7>(); },
        .steps = 8,
        .title = "Триггер с коллекторно-базовыми связями",
        .extent = {1041, 1496},
        .scrollsVertically = true,
        .tabOrder = {"Edit1",  "Edit2",   "Edit3",  "Edit4",   "Edit5",   "Edit6",  "Button1", "Edit7",
                     "Edit8",  "Edit9",   "Edit10", "Button2", "Edit11",  "Edit12", "Button3", "Edit13",
                     "Edit14", "Edit15",  "Edit16", "Button4", "Button5", "Edit17", "Edit18",  "Edit19",
                     "Edit20", "Button6", "Edit21", "Edit22",  "Edit23",  "Edit24", "Button7", "Edit25",
                     "Edit26", "Edit27",  "Edit28", "Button8", "Edit29",  "Edit30"},
        .editsOverPrompts = 26,
        .fonts = {{"Label1", "MS Reference Sans Serif", 15, true, false},
                  {"Label3", "Tahoma", 15, false, false},
                  {"Label9", "Tahoma", 15, false, false},
                  {"Label23", "Tahoma", 15, false, false},
                  {"Label19", "Symbol", 15, true, false},
                  {"Label25", "Tahoma", 15, true, false},
                  {"Label26", "Tahoma", 15, false, true},
                  {"Edit1", "Tahoma", 15, false, false},
                  {"Button1", "Tahoma", 15, false, false},
                  {"Label79", "Tahoma", 13, false, false}},
        .neverWritten = {"Label79"},
        .fullRunInputs = kFullRunInputs,
        .fullRunResults = kFullRunResults,
        .scenarios = kScenarios,
        .faults = kFaultCases,
    };
    return cases;
}

// The temperatures only tell the user where to look up the gains and currents: no step reads them.
TEST(Form7, NoStepReadsTheTemperatures)
{
    TForm7 form;
    form.show();
    for (const auto &[edit, text] : kFullRunInputs)
        Type(Find<QLineEdit>(&form, edit), QString::fromUtf8(text));
    Type(Find<QLineEdit>(&form, "Edit3"), QStringLiteral("abc"));
    for (int step = 1; step <= 8; ++step) {
        const std::string name = "Button" + std::to_string(step);
        EXPECT_TRUE(ClickAndCollect(Find<QPushButton>(&form, name.c_str())).empty()) << "step " << step;
    }
    for (const auto &[label, text] : kFullRunResults)
        EXPECT_EQ(Find<QLabel>(&form, label)->text(), QString::fromUtf8(text)) << label;
}
