#pragma once

#include "window/calculator_window.h"

#include "window_structure/window_structure.h"

#include "ui_form3.h"

// Symmetric trigger on p-n-p transistors with collector counting triggering, biased by its own emitter
// current through a common emitter resistor.
class TForm3 : public TCalculatorWindow
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);

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
    void Button12Click();
    void Button13Click();

private:
    // Its circuit reads its boxes and quantities.
    friend struct WindowCircuit<TForm3>;

    Ui::TForm3 ui;

    Quantity Ubias;          // bias voltage across Rэ, V
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
    Quantity Re;             // emitter resistor Rэ, ohm
    Quantity TempSteps;      // 10-degree steps of Tokr above 20 °C
    Quantity Iko;            // reverse collector current, µA
    Quantity IkoMax;         // reverse collector current at Tokr, µA
    Quantity Rk;             // chosen Rк, ohm
    Quantity ReChosen;       // chosen Rэ, ohm
    Quantity RbMax;          // upper bound of Rб, ohm
    Quantity SatFactor;      // saturation coefficient
    Quantity H21Min;         // least static current transfer ratio
    Quantity Rb;             // chosen Rб, ohm
    Quantity Rkb;            // coupling resistors Rк.б, ohm
    Quantity Fgr;            // boundary frequency, MHz
    Quantity C;              // speed-up capacitors, F
    Quantity CChosen;        // chosen С, pF
    Quantity RkbChosen;      // chosen Rк.б, ohm
    Quantity Tc;             // fall time of the pulse, s
    Quantity Tv;             // recovery time, s
    Quantity Tp;             // repetition period of the trigger pulses, s
    Quantity IpAmp;          // trigger pulse current, A
    Quantity UpAmp;          // trigger pulse voltage, V
    Quantity TauB;           // time constant of the base circuit, µs
    Quantity ResorptionTime; // resorption time, s
    Quantity PrepTime;       // preparation time, µs
    Quantity PulseDur;       // trigger pulse duration, µs
    Quantity FinMax;         // maximum input pulse frequency, 1/µs
    Quantity CeMin, CeMax;   // range of Сэ, pF
    Quantity RMin;           // lower bound of R, ohm
    Quantity R;              // chosen R, ohm
    Quantity CpMax, CpMin;   // range of Ср, F
};

extern TForm3 *Form3;

// What its controls mean: form3_structure.cpp.
extern const WindowStructure kForm3Structure;
