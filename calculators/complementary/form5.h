#pragma once

#include "window/calculator_window.h"

#include "window_structure/window_structure.h"

#include "ui_form5.h"

// Emitter-coupled (Schmitt) trigger on a p-n-p T1 fed from -Ек1 and an n-p-n T2
// fed from +Ек2.
class TForm5 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm5(QWidget *parent = nullptr);

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
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();

    QWidget *FollowingCalculation() const override;

private:
    // Its circuit reads its boxes and quantities.
    friend struct WindowCircuit<TForm5>;

    Ui::TForm5 ui;

    Quantity Beta1Tmin, Beta1Tmax; // current gain of T1 at tmin and tmax
    Quantity Beta2Tmin, Beta2Tmax; // current gain of T2 at tmin and tmax
    Quantity Sn1Max, Sn2Max;       // saturation coefficients of T1 and T2
    Quantity Iko1;                 // reverse collector current of T1 at tmax, µA
    Quantity Ik1Min;               // lower bound of I'к1, µA
    Quantity Ik1;                  // chosen I'к1 of the open T1, mA
    Quantity Ik2Min;               // lower bound of I'к2, mA
    Quantity Ib1;                  // base current I'б1 of the open T1, mA
    Quantity Ik2;                  // chosen I'к2 of the open T2, mA
    Quantity Ib2;                  // base current I'б2 of the open T2, mA
    Quantity Ie1, Ie2;             // emitter currents I'э1 and I'э2 of the open transistors, mA
    Quantity Ukes1, Ukes2;         // collector-emitter saturation voltages of T1 and T2, V
    Quantity Ubes1, Ubes2;         // base-emitter saturation voltages of T1 and T2, V
    Quantity Pt1, Pt2;             // power dissipated in the open T1 and T2, W
    Quantity Uout1, Uout2;         // least output pulse amplitudes at the collectors of T1 and T2, V
    Quantity Ek2Min, Ek2Max;       // recommended lower bound of Ек2, V
    Quantity Ek2;                  // chosen Ек2, V
    Quantity UeMin, UeMax;         // recommended U'э, V
    Quantity DeltaEPct, DeltaRPct; // tolerances of the supply voltages and the resistances, %
    Quantity DeltaE, DeltaR;       // the same tolerances as fractions
    Quantity Ue;                   // chosen emitter voltage U'э of the open transistors, V
    Quantity ReMin;                // lower bound of Rэ, ohm
    Quantity Rk2Max;               // upper bound of Rк2, ohm
    Quantity Rb2Max;               // upper bound of Rб2, ohm
    Quantity Ek1;                  // chosen magnitude of -Ек1, V
    Quantity Rk1Max;               // upper bound of Rк1, ohm
    Quantity Iko2;                 // reverse collector current of T2 at tmax, µA
    Quantity Rk1, Rb2;             // chosen Rк1 and Rб2, ohm
    Quantity RMax;                 // upper bound of R at tmax, ohm
    Quantity Rk2;                  // chosen Rк2, ohm
    Quantity POpen;                // power drawn with the transistors open, W
    Quantity R;                    // chosen R, ohm
    Quantity PClosed;              // power drawn with the transistors closed, W
    Quantity PAvg;                 // average power drawn at an output duty ratio of 2, W
    Quantity CChosen;              // chosen С, pF
    Quantity Tau;                  // charging time constant of С, s
    Quantity Tv;                   // recovery time, µs
};

extern TForm5 *Form5;

// What its controls mean: form5_structure.cpp.
extern const WindowStructure kForm5Structure;
