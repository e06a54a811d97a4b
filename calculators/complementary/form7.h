#pragma once

#include "calc/calculator_window.h"

#include "ui_form7.h"

class TForm7 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm7(QWidget *parent = nullptr);

private:
    Ui::TForm7 ui;
};

extern TForm7 *Form7;
