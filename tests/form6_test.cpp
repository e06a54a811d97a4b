// Form6's tables, which the common tests run (calculator_windows_test.cpp). Its three buttons are
// independent calculations; the common tests press them as steps 1 to 3.
#include "calculators/complementary/form6.h"
#include "tests/support/calculator_cases.h"

namespace {

const Texts kFullRunInputs = {
    {"Edit1", "12"}, {"Edit2", "2"}, {"Edit3", "1000"}, {"Edit4", "2000"},  {"Edit5", "500"},
    {"Edit6", "12"}, {"Edit7", "2"}, {"Edit8", "2000"}, {"Edit9", "10000"},
};

// Volts and amperes end in the Latin letters B and A; watts and ohms are Cyrillic.
const Texts kFullRunResults = {
    {"Label6", "10 \x42"},     {"Label8", "0,01 \x41"}, {"Label10", "0,1 Вт"},      {"Label12", "0,005 \x41"},
    {"Label15", "0,015 \x41"}, {"Label17", "1000 Ом"},  {"Label27", "10 \x42"},     {"Label29", "0,001 \x41"},
    {"Label31", "0,01 Вт"},    {"Label34", "2 \x42"},   {"Label36", "0,0002 \x41"}, {"Label38", "0,0004 Вт"},
    {"Label40", "8 \x42"},
};

const std::vector<Scenario> kScenarios = {
    {"variant 1 with 9 V, 0,3 V, 470 Ohm and 1500 Ohm, then 1200 Ohm without the load",
     true,
     {{"Edit1", "9"}, {"Edit2", "0,3"}, {"Edit3", "470"}, {"Edit4", "1500"}, {"Edit5", "1200"}},
     {1, 2},
     nullptr,
     {{"Label6", "8,7 \x42"},
      {"Label8", "0,0185106382978723 \x41"},
      {"Label10", "0,161042553191489 Вт"},
      {"Label12", "0,0058 \x41"},
      {"Label15", "0,0243106382978723 \x41"},
      {"Label17", "-772,602739726027 Ом"},
      {"Label27", "10 \x42"},
      {"Label40", "8 \x42"}}},
    {"variant 2 with 9 V, 0,3 V, 1500 Ohm and 470 Ohm",
     true,
     {{"Edit6", "9"}, {"Edit7", "0,3"}, {"Edit8", "1500"}, {"Edit9", "470"}},
     {3},
     nullptr,
     {{"Label6", "10 \x42"},
      {"Label17", "1000 Ом"},
      {"Label27", "2,14720812182741 \x42"},
      {"Label29", "0,00456852791878173 \x41"},
      {"Label31", "0,0098095802520034 Вт"},
      {"Label34", "0,3 \x42"},
      {"Label36", "0,000638297872340425 \x41"},
      {"Label38", "0,000191489361702128 Вт"},
      {"Label40", "1,84720812182741 \x42"}}},
    {"Rк2 without the load above Rн", true, {{"Edit5", "1500"}}, {2}, nullptr, {{"Label17", "-3000 Ом"}}},
    {"U'э printed back as stored",
     false,
     {{"Edit6", "12"}, {"Edit7", "0,30"}, {"Edit8", "2000"}, {"Edit9", "10000"}},
     {3},
     nullptr,
     {{"Label34", "0,3 \x42"}}},
    {"U'э above Ек2",
     false,
     {{"Edit1", "2"}, {"Edit2", "12"}, {"Edit3", "1000"}, {"Edit4", "2000"}},
     {1},
     nullptr,
     {{"Label6", "-10 \x42"},
      {"Label8", "-0,01 \x41"},
      {"Label10", "0,1 Вт"},
      {"Label12", "-0,005 \x41"},
      {"Label15", "-0,015 \x41"}}},

    // Button2 takes Rн from the last Button1 run, not from Edit3.
    {"Button2 before Button1", false, {{"Edit3", "1000"}, {"Edit5", "500"}}, {2}, nullptr, {{"Label17", "0 Ом"}}},
    {"Rн retyped without Button1", true, {{"Edit3", "2000"}}, {2}, nullptr, {{"Label17", "1000 Ом"}}},
    {"Rн never read",
     false,
     {{"Edit1", "12"}, {"Edit2", "2"}, {"Edit3", "x"}, {"Edit5", "500"}},
     {1, 2},
     nullptr,
     {{"Label6", ""}, {"Label17", "0 Ом"}}},
    {"a bad Rн keeps the last one",
     true,
     {{"Edit3", "x"}, {"Edit5", "500"}},
     {1, 2},
     nullptr,
     {{"Label17", "1000 Ом"}}},
};

const std::vector<FaultCase> kFaultCases = {
    // Button1.
    {"a bad Ек2", {{"Edit1", "x"}}, {1}, "'x' is not a valid floating point value", {}},
    {"an empty U'э", {{"Edit2", ""}}, {1}, "'' is not a valid floating point value", {}},
    {"a bad Rн", {{"Edit3", "1 000"}}, {1}, "'1 000' is not a valid floating point value", {}},
    {"a bad Rк2",
     {{"Edit1", "9"}, {"Edit2", "0,3"}, {"Edit3", "470"}, {"Edit4", "x"}},
     {1},
     "'x' is not a valid floating point value",
     {{"Label6", "8,7 \x42"}, {"Label8", "0,0185106382978723 \x41"}, {"Label10", "0,161042553191489 Вт"}}},
    {"Rн = 0", {{"Edit1", "9"}, {"Edit3", "0"}}, {1}, "Floating point division by zero", {{"Label6", "7 \x42"}}},
    {"Rн = 0 and Ек2 = U'э",
     {{"Edit1", "2"}, {"Edit3", "0"}},
     {1},
     "Invalid floating point operation",
     {{"Label6", "0 \x42"}}},
    {"Rк2 = 0",
     {{"Edit1", "9"}, {"Edit2", "0,3"}, {"Edit3", "470"}, {"Edit4", "0"}},
     {1},
     "Floating point division by zero",
     {{"Label6", "8,7 \x42"}, {"Label8", "0,0185106382978723 \x41"}, {"Label10", "0,161042553191489 Вт"}}},
    {"Rк2 = 0 and Ек2 = U'э",
     {{"Edit1", "2"}, {"Edit4", "0"}},
     {1},
     "Invalid floating point operation",
     {{"Label6", "0 \x42"}, {"Label8", "0 \x41"}, {"Label10", "0 Вт"}}},
    {"a voltage beyond the double range",
     {{"Edit1", "1E308"}, {"Edit2", "-1E308"}},
     {1},
     "Floating point overflow",
     {}},
    // Button2.
    {"a bad Rк2 without the load", {{"Edit5", "x"}}, {2}, "'x' is not a valid floating point value", {}},
    {"Rк2 without the load = Rн", {{"Edit5", "1000"}}, {2}, "Floating point division by zero", {}},
    {"Rк2 without the load = Rн = 0", {{"Edit3", "0"}, {"Edit5", "0"}}, {1, 2}, "Invalid floating point operation", {}},
    // Button3.
    {"a bad Rн of variant 2", {{"Edit9", "x"}}, {3}, "'x' is not a valid floating point value", {}},
    {"Rк2 + Rн = 0", {{"Edit9", "-2000"}}, {3}, "Floating point division by zero", {}},
    {"Rк2 = Rн = 0", {{"Edit8", "0"}, {"Edit9", "0"}}, {3}, "Invalid floating point operation", {}},
    {"Rн = 0 in variant 2",
     {{"Edit9", "0"}},
     {3},
     "Floating point division by zero",
     {{"Label27", "0 \x42"}, {"Label29", "0,006 \x41"}, {"Label31", "0 Вт"}}},
    {"Rн = 0 and U'э = 0 in variant 2",
     {{"Edit7", "0"}, {"Edit9", "0"}},
     {3},
     "Invalid floating point operation",
     {{"Label27", "0 \x42"}, {"Label29", "0,006 \x41"}, {"Label31", "0 Вт"}, {"Label34", "0 \x42"}}},
};

} // namespace

const CalculatorCases &Form6Cases()
{
    static const CalculatorCases cases{
        .name = "Form6",
        .create = [] { return std::make_unique<TForm6>(); },
        .steps = 3,
        .title = "Способы подключения нагрузки и её влияние",
        .extent = {799, 778},
        .scrollsVertically = false,
        .tabOrder = {"Edit1", "Edit2", "Edit3", "Button1", "Edit4", "Edit5", "Button2", "Edit6", "Edit7", "Edit8",
                     "Edit9", "Button3"},
        .editsOverPrompts = 9,
        .fonts = {{"Label1", "Tahoma", 15, false, false},
                  {"Label4", "Tahoma", 15, false, false},
                  {"Label6", "Tahoma", 15, true, false},
                  {"Label18", "Tahoma", 15, false, false},
                  {"Edit1", "Tahoma", 15, false, false},
                  {"Button1", "Tahoma", 15, false, false},
                  {"Button2", "Tahoma", 15, false, false}},
        .neverWritten = {},
        .neverRead = {},
        .fullRunInputs = kFullRunInputs,
        .fullRunResults = kFullRunResults,
        .scenarios = kScenarios,
        .faults = kFaultCases,
    };
    return cases;
}
