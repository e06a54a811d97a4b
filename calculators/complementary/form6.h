#pragma once

#include "calc/calculator_window.h"

#include "ui_form6.h"

class TForm6 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);

private:
    Ui::TForm6 ui;
};

extern TForm6 *Form6;
