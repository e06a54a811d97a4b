#pragma once

#include "calc/calculator_window.h"

#include "ui_form4.h"

class TForm4 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);

private:
    Ui::TForm4 ui;
};

extern TForm4 *Form4;
