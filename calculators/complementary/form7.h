#pragma once

#include "window/calculator_window.h"

#include "window_structure/window_structure.h"

#include "ui_form7.h"

// Trigger with collector-base couplings on a p-n-p and an n-p-n transistor: both open or both closed.
class TForm7 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm7(QWidget *parent = nullptr);

    std::vector<NamedQuantity> Quantities() override;
    QStringList BoxesNoStepReads() const override { return {QStringLiteral("Edit3"), QStringLiteral("Edit4")}; }

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();

private:
    // Its circuit reads its boxes and quantities.
    friend struct WindowCircuit<TForm7>;

    Ui::TForm7 ui;

    Quantity Beta1Tmin, Beta1Tmax; // current gain β of T1 at tmin and tmax
    Quantity Beta2Tmin, Beta2Tmax; // current gain β of T2 at tmin and tmax
    Quantity Sn1Max, Sn2Max;       // maximum saturation coefficients of T1, T2
    Quantity Uout1, Uout2;         // least output pulse amplitudes at the collectors of T1, T2, V
    Quantity Ek1Min, Ek1Max;       // recommended range of |Ек1|, V
    Quantity Ek2Min, Ek2Max;       // recommended range of Ек2, V
    Quantity Iko1, Iko2;           // reverse collector currents of T1, T2 at tmax, µA
    Quantity Ik1Min, Ik2Min;       // lower bounds of the open-state collector currents, µA
    Quantity Ik1, Ik2;             // chosen open-state collector currents, mA
    Quantity Ib1, Ib2;             // open-state base currents, mA
    Quantity Ukes1, Ukes2;         // collector-emitter saturation voltages, V
    Quantity Ubes1, Ubes2;         // base-emitter saturation voltages, V
    Quantity Pt1, Pt2;             // power dissipated in the open T1, T2, W
    Quantity DeltaEPct, DeltaRPct; // tolerances of the supplies and of the resistances, %
    Quantity DeltaE, DeltaR;       // the same tolerances as fractions
    Quantity Ek1;                  // chosen magnitude |Ек1| of the negative supply, V
    Quantity Ek2;                  // chosen positive supply Ек2, V
    Quantity Rb1Max, Rb2Max;       // upper bounds of Rб1, Rб2, ohm
    Quantity Rk1Max, Rk2Max;       // upper bounds of Rк1, Rк2, ohm
    Quantity Ube10, Ube20;         // closing voltages Uбэ10 of T1, Uбэ20 of T2, V
    Quantity Ib01, Ib02;           // reverse base currents of the closed T1, T2 at tmax, µA
    Quantity Ib01A, Ib02A;         // the same in amperes
    Quantity Rb1, Rb2, Rk1, Rk2;   // chosen Rб1, Rб2, Rк1, Rк2, ohm
    Quantity R1Max, R2Max;         // upper bounds of the coupling resistors R1, R2, ohm
    Quantity R1, R2;               // chosen R1, R2, ohm
    Quantity POpen;                // power drawn with both transistors open, W
    Quantity PClosed;              // power drawn with both transistors closed, W
    Quantity PAvg;                 // average power drawn at an output duty ratio of 2, W
};

extern TForm7 *Form7;

// What its controls mean: form7_structure.cpp.
extern const WindowStructure kForm7Structure;
