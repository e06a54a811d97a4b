#include "calculators/complementary/form5.h"

TForm5 *Form5 = nullptr;

TForm5::TForm5(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    SetUpWindow();
}
