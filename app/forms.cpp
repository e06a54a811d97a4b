#include "app/forms.h"

#include "app/form1.h"
#include "app/menus.h"
#include "calculators/complementary/form5.h"
#include "calculators/complementary/form6.h"
#include "calculators/complementary/form7.h"
#include "calculators/same_type/form2.h"
#include "calculators/same_type/form3.h"
#include "calculators/same_type/form4.h"
#include "documents/calculation_document.h"

void CreateMainMenu()
{
    Form1 = new TForm1;
    SetUpMainMenu(Form1);
    MakeCalculationsWhenNeeded(&CreateCalculators);
}

void CreateCalculators()
{
    if (Form2)
        return;
    Form2 = new TForm2;
    Form3 = new TForm3;
    Form4 = new TForm4;
    Form5 = new TForm5;
    Form6 = new TForm6;
    Form7 = new TForm7;
    SetUpCalculations();
}

void CreateForms()
{
    CreateMainMenu();
    CreateCalculators();
}

template <class Form>
static void Destroy(Form *&form)
{
    delete form;
    form = nullptr;
}

void DestroyForms()
{
    Destroy(Form7);
    Destroy(Form6);
    Destroy(Form5);
    Destroy(Form4);
    Destroy(Form3);
    Destroy(Form2);
    Destroy(Form1);
}
