#pragma once

#include "window/calculator_window.h"

#include "window_structure/window_structure.h"

#include "ui_form4.h"

// Asymmetric (emitter-coupled, Schmitt) trigger on p-n-p transistors, driven by a sine voltage.
class TForm4 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);

    std::vector<NamedQuantity> Quantities() override;
    QStringList BoxesNoStepReads() const override { return {QStringLiteral("Edit15")}; }

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

private:
    // Its circuit reads its boxes and quantities.
    friend struct WindowCircuit<TForm4>;

    Ui::TForm4 ui;

    Quantity Uvyhi;          // amplitude of the positive output pulses, V
    Quantity UR1Max;         // maximum voltage across the emitter resistor R1, V
    Quantity EkMin, EkMax;   // required supply voltage, V
    Quantity Ek;             // chosen supply voltage, V
    Quantity UkbMin;         // least collector-base voltage rating, V
    Quantity Fvh;            // frequency of the input sine voltage, kHz
    Quantity FgrMin;         // least boundary frequency, MHz
    Quantity Tmax;           // maximum working temperature of the transistors, °C
    Quantity Tokr;           // maximum ambient temperature, °C
    Quantity IkMax;          // maximum collector current, mA
    Quantity IkDop;          // collector current of T2 allowed at Tokr, mA
    Quantity Rk2;            // Rк2, ohm: the lower bound (step 3) or the chosen value (step 4), whichever came last
    Quantity Rk1Min, Rk1Max; // range of Rк1, ohm
    Quantity R1Calc;         // computed emitter resistance R1, ohm
    Quantity Iko;            // reverse collector current, µA
    Quantity Rk1;            // chosen Rк1, ohm
    Quantity R1;             // chosen R1, ohm
    Quantity TempSteps;      // 10-degree steps of Tokr above 20 °C
    Quantity IkoMax;         // reverse collector current at Tokr, µA
    Quantity RbMax;          // upper bound of Rб, ohm
    Quantity H21Min;         // least static current transfer ratio
    Quantity Rb;             // chosen Rб, ohm
    Quantity RkbMax;         // upper bound of Rк.б, ohm
    Quantity R2Max;          // upper bound of the divider resistor R2, ohm
    Quantity R2;             // chosen R2, ohm
    Quantity R3Max;          // upper bound of the divider resistor R3, ohm
    Quantity RPar;           // RkbMax in parallel with Rб, ohm
    Quantity CMax1, CMax2;   // the two upper bounds of the speed-up capacitor С, F
    Quantity Fgr;            // boundary frequency, MHz
    Quantity Tf;             // rise and fall time of the output pulses, s
    Quantity UvyhAmp;        // amplitude of the output pulses, V
};

extern TForm4 *Form4;

// What its controls mean: form4_structure.cpp.
extern const WindowStructure kForm4Structure;
