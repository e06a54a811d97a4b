#pragma once

#include "calc/calculator_window.h"

#include "ui_form3.h"

class TForm3 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);

private:
    Ui::TForm3 ui;
};

extern TForm3 *Form3;
