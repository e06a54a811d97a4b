#include "calculators/complementary/form6.h"

TForm6 *Form6 = nullptr;

TForm6::TForm6(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    SetUpWindow();
}
