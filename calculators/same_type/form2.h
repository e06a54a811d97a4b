#pragma once

#include "window/calculator_window.h"

#include "window_structure/window_structure.h"

#include "ui_form2.h"

// Symmetric trigger on p-n-p transistors with collector counting triggering and an external bias source.
class TForm2 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);

    std::vector<NamedQuantity> Quantities() override;

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

private:
    // Its circuit reads its boxes and quantities.
    friend struct WindowCircuit<TForm2>;

    Ui::TForm2 ui;

    Quantity Uki;            // amplitude of the positive pulses, V
    Quantity EkMin, EkMax;   // required supply voltage, V
    Quantity Ek;             // chosen supply voltage, V
    Quantity UkbMin;         // least collector-base voltage rating, V
    Quantity Fp;             // repetition frequency of the trigger pulses, kHz
    Quantity FgrMin;         // least boundary frequency, kHz
    Quantity IkMax;          // maximum collector current, mA
    Quantity Tmax;           // maximum working temperature of the transistors, °C
    Quantity Tokr;           // maximum ambient temperature, °C
    Quantity IkDop;          // collector current allowed at Tokr, mA
    Quantity RkMin;          // lower bound of Rк, ohm
    Quantity Eb;             // bias source voltage, V
    Quantity TempSteps;      // 10-degree steps of Tokr above 20 °C
    Quantity Iko;            // reverse collector current, µA
    Quantity IkoMax;         // reverse collector current at Tokr, µA
    Quantity RbMax;          // upper bound of Rб, ohm
    Quantity Rk, Rb;         // chosen Rк and Rб, ohm
    Quantity SatFactor;      // saturation coefficient
    Quantity H21Min;         // least static current transfer ratio
    Quantity Rkb;            // coupling resistors Rк.б, ohm
    Quantity Fgr;            // boundary frequency, MHz
    Quantity C;              // speed-up capacitors, F
    Quantity CChosen;        // chosen С, pF
    Quantity Tc;             // fall time of the pulse, s
    Quantity RkbChosen;      // chosen Rк.б, ohm
    Quantity Tv;             // recovery time, s
    Quantity Tp;             // repetition period of the trigger pulses, s
    Quantity IpAmp;          // trigger pulse current, A
    Quantity UpAmp;          // trigger pulse voltage, V
    Quantity TauB;           // time constant of the base circuit, µs
    Quantity ResorptionTime; // s
    Quantity PrepTime;       // µs
    Quantity PulseDur;       // trigger pulse duration, µs
    Quantity FinMax;         // maximum input pulse frequency, 1/µs
    Quantity RMin;           // lower bound of R, ohm
    Quantity R;              // chosen R, ohm
    Quantity CpMax, CpMin;   // range of Ср, F
};

extern TForm2 *Form2;

// What its controls mean: form2_structure.cpp.
extern const WindowStructure kForm2Structure;
