#include "calculators/same_type/form4.h"

TForm4 *Form4 = nullptr;

TForm4::TForm4(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    SetUpWindow();
}
