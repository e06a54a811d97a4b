#include "calculators/registry.h"

#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "calculators/complementary/form7.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "calculators/same_type/form4.h"

namespace {

template <class Form, Form *&kProgram>
constexpr CalculatorClass ClassOf()
{
    return {[]() -> TCalculatorWindow * { return new Form; }, []() -> TCalculatorWindow * { return kProgram; },
            [](TCalculatorWindow *window) { kProgram = static_cast<Form *>(window); }};
}

constexpr CalculatorRow kRows[] = {
    {.name = "Form2",
     .layout = "form2.ui",
     .mainMenuButton = "Button3",
     .following = nullptr,
     .circuit = true,
     .exampleGiven = "Edit1=10;Edit2=20;Edit3=50;Edit5=5;Edit6=30;Edit7=2;Edit8=50;Edit9=70;Edit11=1,5"
                     ";Edit13=1,5;Edit16=2",
     .windowClass = ClassOf<TForm2, Form2>()},
    {.name = "Form3",
     .layout = "form3.ui",
     .mainMenuButton = "Button4",
     .following = nullptr,
     .circuit = true,
     .exampleGiven = "Edit1=10;Edit2=20;Edit3=50;Edit4=1;Edit6=5;Edit7=30;Edit8=2;Edit9=50;Edit10=70"
                     ";Edit14=1,5;Edit17=2",
     .windowClass = ClassOf<TForm3, Form3>()},
    {.name = "Form4",
     .layout = "form4.ui",
     .mainMenuButton = "Button5",
     .following = nullptr,
     .circuit = true,
     .exampleGiven = "Edit1=5;Edit2=100;Edit3=50;Edit4=2;Edit6=1;Edit7=40;Edit8=20;Edit9=5;Edit10=70",
     .windowClass = ClassOf<TForm4, Form4>()},
    {.name = "Form5",
     .layout = "form5.ui",
     .mainMenuButton = "Button1",
     .following = "Form6",
     .circuit = true,
     .exampleGiven = "Edit1=5;Edit2=10;Edit3=-10;Edit4=60;Edit5=10;Edit6=5;Edit7=40;Edit8=120;Edit9=25;Edit10=100"
                     ";Edit11=5;Edit14=0,2;Edit15=0,3;Edit16=0,6;Edit17=0,7;Edit25=5;Edit27=100",
     .windowClass = ClassOf<TForm5, Form5>()},
    {.name = "Form6",
     .layout = "form6.ui",
     .mainMenuButton = nullptr,
     .following = nullptr,
     .circuit = false,
     .exampleGiven = "Edit3=1000;Edit5=500;Edit9=10000",
     .windowClass = ClassOf<TForm6, Form6>()},
    {.name = "Form7",
     .layout = "form7.ui",
     .mainMenuButton = "Button2",
     .following = nullptr,
     .circuit = true,
     .exampleGiven = "Edit1=10;Edit2=9;Edit3=-10;Edit4=60;Edit5=10;Edit6=5;Edit7=40;Edit8=120;Edit9=30;Edit10=270"
                     ";Edit13=5;Edit14=2,5;Edit17=0,2;Edit18=0,3;Edit19=0,7;Edit20=0,8;Edit25=0,5"
                     ";Edit26=0,5;Edit27=10;Edit28=20",
     .windowClass = ClassOf<TForm7, Form7>()},
};

const CalculatorRow *FollowingRow(const CalculatorRow &row)
{
    return row.following ? CalculatorRowNamed(QLatin1String(row.following)) : nullptr;
}

} // namespace

std::span<const CalculatorRow> CalculatorRows()
{
    return kRows;
}

const CalculatorRow *CalculatorRowNamed(const QString &name)
{
    for (const CalculatorRow &row : kRows) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

std::vector<const CalculatorRow *> CalculationRows()
{
    std::vector<const CalculatorRow *> rows;
    for (const CalculatorRow &row : kRows) {
        if (row.mainMenuButton)
            rows.push_back(&row);
    }
    return rows;
}

std::vector<TCalculatorWindow *> ProgramCalculation(const CalculatorRow &row)
{
    std::vector<TCalculatorWindow *> windows = {row.windowClass.program()};
    if (const CalculatorRow *following = FollowingRow(row))
        windows.push_back(following->windowClass.program());
    return windows;
}

std::vector<std::unique_ptr<TCalculatorWindow>> NewCalculationOf(const CalculatorRow &row)
{
    std::vector<std::unique_ptr<TCalculatorWindow>> windows;
    windows.emplace_back(row.windowClass.create());
    if (const CalculatorRow *following = FollowingRow(row)) {
        windows.emplace_back(following->windowClass.create());
        windows.front()->SetFollowingCalculation(windows.back().get());
    }
    return windows;
}

void CreateProgramWindows()
{
    for (const CalculatorRow &row : kRows)
        row.windowClass.setProgram(row.windowClass.create());
    for (const CalculatorRow &row : kRows) {
        if (const CalculatorRow *following = FollowingRow(row))
            row.windowClass.program()->SetFollowingCalculation(following->windowClass.program());
    }
}

void DestroyProgramWindows()
{
    for (auto row = std::rbegin(kRows); row != std::rend(kRows); ++row) {
        delete row->windowClass.program();
        row->windowClass.setProgram(nullptr);
    }
}
