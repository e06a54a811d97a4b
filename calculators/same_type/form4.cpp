#include "calculators/same_type/form4.h"

TForm4 *Form4 = nullptr;

namespace {

// 2π to the full 64-bit mantissa.
constexpr long double kTwoPi = 6.283185307179586476925286766559005768L;

} // namespace

TForm4::TForm4(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm4Structure);
    SetUpWindow();
    ConnectStep(ui.Button1, &TForm4::Button1Click);
    ConnectStep(ui.Button2, &TForm4::Button2Click);
    ConnectStep(ui.Button3, &TForm4::Button3Click);
    ConnectStep(ui.Button4, &TForm4::Button4Click);
    ConnectStep(ui.Button5, &TForm4::Button5Click);
    ConnectStep(ui.Button6, &TForm4::Button6Click);
    ConnectStep(ui.Button7, &TForm4::Button7Click);
    ConnectStep(ui.Button8, &TForm4::Button8Click);
    ConnectStep(ui.Button9, &TForm4::Button9Click);
    ConnectStep(ui.Button10, &TForm4::Button10Click);
}

std::vector<NamedQuantity> TForm4::Quantities()
{
    return {
        {"Uvyhi", &Uvyhi},   {"UR1Max", &UR1Max}, {"EkMin", &EkMin},   {"EkMax", &EkMax},     {"Ek", &Ek},
        {"UkbMin", &UkbMin}, {"Fvh", &Fvh},       {"FgrMin", &FgrMin}, {"Tmax", &Tmax},       {"Tokr", &Tokr},
        {"IkMax", &IkMax},   {"IkDop", &IkDop},   {"Rk2", &Rk2},       {"Rk1Min", &Rk1Min},   {"Rk1Max", &Rk1Max},
        {"R1Calc", &R1Calc}, {"Iko", &Iko},       {"Rk1", &Rk1},       {"R1", &R1},           {"TempSteps", &TempSteps},
        {"IkoMax", &IkoMax}, {"RbMax", &RbMax},   {"H21Min", &H21Min}, {"Rb", &Rb},           {"RkbMax", &RkbMax},
        {"R2Max", &R2Max},   {"R2", &R2},         {"R3Max", &R3Max},   {"RPar", &RPar},       {"CMax1", &CMax1},
        {"CMax2", &CMax2},   {"Fgr", &Fgr},       {"Tf", &Tf},         {"UvyhAmp", &UvyhAmp},
    };
}

void TForm4::Button1Click()
{
    Uvyhi = Read(ui.Edit1);
    UR1Max = Read(ui.Edit4);
    EkMin = (1.1L * Uvyhi) + UR1Max;
    EkMax = (1.2L * Uvyhi) + UR1Max;
    Write(ui.Label12, NumberToText(EkMin) + "..." + NumberToText(EkMax) + " В");
}

void TForm4::Button2Click()
{
    Ek = Read(ui.Edit5);
    UkbMin = 2 * Ek;
    Write(ui.Label16, NumberToText(UkbMin) + " В");
    Fvh = Read(ui.Edit2);
    FgrMin = (0.001L * Fvh) / 0.7L;
    Write(ui.Label18, NumberToText(FgrMin) + " МГц");
}

void TForm4::Button3Click()
{
    Tmax = Read(ui.Edit10);
    Tokr = Read(ui.Edit3);
    IkMax = Read(ui.Edit8);
    IkDop = Sqrt((Tmax - Tokr) / (Tmax - 20)) * IkMax;
    Write(ui.Label24, NumberToText(IkDop) + " мА");
    // The lower bound stands in for Rк2 until step 4 stores the chosen value.
    Rk2 = Uvyhi / (0.001L * IkDop);
    Write(ui.Label26, NumberToText(Rk2) + " Ом");
}

void TForm4::Button4Click()
{
    Rk2 = Read(ui.Edit11);
    Rk1Min = 2 * Rk2;
    Rk1Max = 4 * Rk2;
    Write(ui.Label29, NumberToText(Rk1Min) + "..." + NumberToText(Rk1Max) + " Ом");
}

void TForm4::Button5Click()
{
    R1Calc = UR1Max / (0.001L * IkDop);
    Write(ui.Label32, NumberToText(R1Calc) + " Ом");
}

void TForm4::Button6Click()
{
    Iko = Read(ui.Edit9);
    Rk1 = Read(ui.Edit12);
    R1 = Read(ui.Edit13);
    TempSteps = (Tokr - 20) / 10;
    // The reverse current doubles with every 10 degrees.
    IkoMax = Exp(Ln(2) * TempSteps) * Iko;
    Write(ui.Label35, NumberToText(IkoMax) + " мкА");
    RbMax = (R1 * Ek) / ((R1 + Rk1) * (1e-6L * IkoMax));
    Write(ui.Label37, NumberToText(RbMax) + " Ом");
}

void TForm4::Button7Click()
{
    H21Min = Read(ui.Edit7);
    Rb = Read(ui.Edit14);
    RkbMax = ((H21Min * Rb) * Rk2) / ((H21Min * R1) + Rb);
    Write(ui.Label40, NumberToText(RkbMax) + " Ом");
}

void TForm4::Button8Click()
{
    R2Max = (((H21Min * R1) * Rk1) * Ek) / ((Rk2 * Ek) + (((H21Min * Rk1) * (R1 + Rk2)) * (1e-6L * IkoMax)));
    Write(ui.Label43, NumberToText(R2Max) + " Ом");
}

void TForm4::Button9Click()
{
    R2 = Read(ui.Edit16);
    R3Max = ((H21Min * Rk1) * R2) / ((H21Min * R1) + R2);
    Write(ui.Label46, NumberToText(R3Max) + " Ом");
}

void TForm4::Button10Click()
{
    // The bound of Rк.б, not a chosen value: the box under it is never read.
    RPar = (RkbMax * Rb) / (RkbMax + Rb);
    CMax1 = 1 / (((Fvh * 1000) * 6) * RPar);
    Write(ui.Label48, NumberToText(1e12L * CMax1) + " пФ");
    CMax2 = 1 / (((Fvh * 1000) * 6) * (Rk1 + R1));
    Write(ui.Label50, NumberToText(1e12L * CMax2) + " пФ");
    Fgr = Read(ui.Edit6);
    Tf = (1 / ((Fgr * 1000000) * kTwoPi)) * 2;
    Write(ui.Label52, NumberToText(Tf * 1000000) + " мкс");
    UvyhAmp = (Rk2 / (R1 + Rk2)) * Ek;
    Write(ui.Label54, NumberToText(UvyhAmp) + " В");
}
