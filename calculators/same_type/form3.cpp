#include "calculators/same_type/form3.h"

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    SetUpWindow();
}
