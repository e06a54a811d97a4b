#include "app/forms.h"

#include "app/form1.h"
#include "app/menus.h"
#include "calculators/registry.h"
#include "documents/calculation_document.h"

void CreateMainMenu()
{
    Form1 = new TForm1;
    SetUpMainMenu(Form1);
    MakeCalculationsWhenNeeded(&CreateCalculators);
}

void CreateCalculators()
{
    if (CalculatorRows().front().windowClass.program())
        return;
    CreateProgramWindows();
    SetUpCalculations();
}

void CreateForms()
{
    CreateMainMenu();
    CreateCalculators();
}

void DestroyForms()
{
    DestroyProgramWindows();
    delete Form1;
    Form1 = nullptr;
}
