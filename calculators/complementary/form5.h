#pragma once

#include "calc/calculator_window.h"

#include "ui_form5.h"

class TForm5 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm5(QWidget *parent = nullptr);

private:
    Ui::TForm5 ui;
};

extern TForm5 *Form5;
