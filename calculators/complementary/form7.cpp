#include "calculators/complementary/form7.h"

TForm7 *Form7 = nullptr;

TForm7::TForm7(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    SetUpWindow();
}
