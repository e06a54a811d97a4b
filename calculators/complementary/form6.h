#pragma once

#include "window/calculator_window.h"

#include "window_structure/window_structure.h"

#include "ui_form6.h"

// The two ways of connecting a load to the output transistor T2 of the
// emitter-coupled trigger: in parallel with Rк2 (variant 1) or from T2's
// collector to ground (variant 2).
class TForm6 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);

    std::vector<NamedQuantity> Quantities() override;

    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    Ui::TForm6 ui;

    Quantity Ek2;       // variant 1: supply voltage Ек2, V
    Quantity Ue;        // variant 1: emitter voltage U'э of the open transistors, V
    Quantity Rn;        // variant 1: load resistance Rн, ohm
    Quantity Rk2;       // variant 1: collector resistor Rк2, ohm
    Quantity Un;        // variant 1: voltage on the load with T2 open, V
    Quantity In;        // variant 1: load current with T2 open, A
    Quantity Pn;        // variant 1: power in the load with T2 open, W
    Quantity IRk2;      // variant 1: current through Rк2 with T2 open, A
    Quantity IkT2;      // variant 1: collector current of T2, A
    Quantity Rk2NoLoad; // Rк2 found without the load, ohm
    Quantity Rk2Load;   // Rк2 that with the load in parallel gives Rk2NoLoad, ohm
    Quantity Ek2Var2;   // variant 2: supply voltage Ек2, V
    Quantity UeVar2;    // variant 2: emitter voltage U'э of the open transistors, V
    Quantity Rk2Var2;   // variant 2: collector resistor Rк2, ohm
    Quantity RnVar2;    // variant 2: load resistance Rн, ohm
    Quantity UnClosed;  // variant 2: voltage on the load with the transistors closed, V
    Quantity InClosed;  // variant 2: load current with the transistors closed, A
    Quantity PnClosed;  // variant 2: power in the load with the transistors closed, W
    Quantity InOpen;    // variant 2: load current with the transistors open, A
    Quantity PnOpen;    // variant 2: power in the load with the transistors open, W
    Quantity UnAmp;     // variant 2: amplitude of the pulses on the load, V
};

extern TForm6 *Form6;

// What its controls mean: form6_structure.cpp.
extern const WindowStructure kForm6Structure;
