#include "calculators/complementary/form7.h"

#include "calculators/complementary/saturation_verdict.h"

TForm7 *Form7 = nullptr;

TForm7::TForm7(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm7Structure);
    SetUpWindow();
    ConnectStep(ui.Button1, &TForm7::Button1Click);
    ConnectStep(ui.Button2, &TForm7::Button2Click);
    ConnectStep(ui.Button3, &TForm7::Button3Click);
    ConnectStep(ui.Button4, &TForm7::Button4Click);
    ConnectStep(ui.Button5, &TForm7::Button5Click);
    ConnectStep(ui.Button6, &TForm7::Button6Click);
    ConnectStep(ui.Button7, &TForm7::Button7Click);
    ConnectStep(ui.Button8, &TForm7::Button8Click);
}

std::vector<NamedQuantity> TForm7::Quantities()
{
    return {
        {"Beta1Tmin", &Beta1Tmin},
        {"Beta1Tmax", &Beta1Tmax},
        {"Beta2Tmin", &Beta2Tmin},
        {"Beta2Tmax", &Beta2Tmax},
        {"Sn1Max", &Sn1Max},
        {"Sn2Max", &Sn2Max},
        {"Uout1", &Uout1},
        {"Uout2", &Uout2},
        {"Ek1Min", &Ek1Min},
        {"Ek1Max", &Ek1Max},
        {"Ek2Min", &Ek2Min},
        {"Ek2Max", &Ek2Max},
        {"Iko1", &Iko1},
        {"Iko2", &Iko2},
        {"Ik1Min", &Ik1Min},
        {"Ik2Min", &Ik2Min},
        {"Ik1", &Ik1},
        {"Ik2", &Ik2},
        {"Ib1", &Ib1},
        {"Ib2", &Ib2},
        {"Ukes1", &Ukes1},
        {"Ukes2", &Ukes2},
        {"Ubes1", &Ubes1},
        {"Ubes2", &Ubes2},
        {"Pt1", &Pt1},
        {"Pt2", &Pt2},
        {"DeltaEPct", &DeltaEPct},
        {"DeltaRPct", &DeltaRPct},
        {"DeltaE", &DeltaE},
        {"DeltaR", &DeltaR},
        {"Ek1", &Ek1},
        {"Ek2", &Ek2},
        {"Rb1Max", &Rb1Max},
        {"Rb2Max", &Rb2Max},
        {"Rk1Max", &Rk1Max},
        {"Rk2Max", &Rk2Max},
        {"Ube10", &Ube10},
        {"Ube20", &Ube20},
        {"Ib01", &Ib01},
        {"Ib02", &Ib02},
        {"Ib01A", &Ib01A},
        {"Ib02A", &Ib02A},
        {"Rb1", &Rb1},
        {"Rb2", &Rb2},
        {"Rk1", &Rk1},
        {"Rk2", &Rk2},
        {"R1Max", &R1Max},
        {"R2Max", &R2Max},
        {"R1", &R1},
        {"R2", &R2},
        {"POpen", &POpen},
        {"PClosed", &PClosed},
        {"PAvg", &PAvg},
    };
}

void TForm7::Button1Click()
{
    Beta1Tmin = Read(ui.Edit7);
    Beta1Tmax = Read(ui.Edit8);
    Beta2Tmin = Read(ui.Edit9);
    Beta2Tmax = Read(ui.Edit10);
    Sn1Max = Beta1Tmax / Beta1Tmin;
    Write(ui.Label25, NumberToText(Sn1Max));
    Sn2Max = Beta2Tmax / Beta2Tmin;
    Write(ui.Label29, NumberToText(Sn2Max));
    Write(ui.Label26, SaturationVerdict(Sn1Max, 1));
    Write(ui.Label30, SaturationVerdict(Sn2Max, 2));
}

void TForm7::Button2Click()
{
    Uout1 = Read(ui.Edit1);
    Ek1Min = 1.1L * Uout1;
    Ek1Max = 1.3L * Uout1;
    Write(ui.Label32, NumberToText(Ek1Min) + "..." + NumberToText(Ek1Max) + " В");
    Uout2 = Read(ui.Edit2);
    Ek2Min = 1.1L * Uout2;
    Ek2Max = 1.3L * Uout2;
    Write(ui.Label34, NumberToText(Ek2Min) + "..." + NumberToText(Ek2Max) + " В");
}

void TForm7::Button3Click()
{
    Iko1 = Read(ui.Edit13);
    Iko2 = Read(ui.Edit14);
    Ik1Min = 10 * Iko1;
    Write(ui.Label39, NumberToText(Ik1Min) + " мкА");
    Ik2Min = 10 * Iko2;
    Write(ui.Label41, NumberToText(Ik2Min) + " мкА");
}

void TForm7::Button4Click()
{
    Ik1 = Read(ui.Edit15);
    Ik2 = Read(ui.Edit16);
    Ib1 = Ik1 / Beta1Tmin;
    Write(ui.Label44, NumberToText(Ib1) + " мА");
    Ib2 = Ik2 / Beta2Tmin;
    Write(ui.Label46, NumberToText(Ib2) + " мА");
}

void TForm7::Button5Click()
{
    Ukes1 = Read(ui.Edit17);
    Ukes2 = Read(ui.Edit18);
    Ubes1 = Read(ui.Edit19);
    Ubes2 = Read(ui.Edit20);
    Pt1 = (0.001L * Ik1) * Ukes1 + (0.001L * Ib1) * Ubes1;
    Write(ui.Label52, NumberToText(Pt1) + " Вт");
    Pt2 = (0.001L * Ik2) * Ukes2 + (0.001L * Ib2) * Ubes2;
    Write(ui.Label54, NumberToText(Pt2) + " Вт");
}

void TForm7::Button6Click()
{
    DeltaEPct = Read(ui.Edit5);
    DeltaRPct = Read(ui.Edit6);
    DeltaE = DeltaEPct / 100;
    DeltaR = DeltaRPct / 100;
    Ek1 = Read(ui.Edit11);
    Ek2 = Read(ui.Edit12);
    Rb1Max = ((1 - DeltaE) * Ek1) / ((1 + DeltaR) * (0.001L * Ib1));
    Write(ui.Label56, NumberToText(Rb1Max) + " Ом");
    Rb2Max = ((1 - DeltaE) * Ek2) / ((1 + DeltaR) * (0.001L * Ib2));
    Write(ui.Label58, NumberToText(Rb2Max) + " Ом");
    Rk1Max = ((1 - DeltaE) * Ek1) / ((1 + DeltaR) * (0.001L * Ik1));
    Write(ui.Label60, NumberToText(Rk1Max) + " Ом");
    Rk2Max = ((1 - DeltaE) * Ek2) / ((1 + DeltaR) * (0.001L * Ik2));
    Write(ui.Label62, NumberToText(Rk2Max) + " Ом");
}

void TForm7::Button7Click()
{
    Ube10 = Read(ui.Edit25);
    Ube20 = Read(ui.Edit26);
    Ib01 = Read(ui.Edit27);
    Ib02 = Read(ui.Edit28);
    Rb1 = Read(ui.Edit21);
    Rb2 = Read(ui.Edit22);
    Rk1 = Read(ui.Edit23);
    Rk2 = Read(ui.Edit24);
    Ib01A = 1e-6L * Ib01;
    Ib02A = 1e-6L * Ib02;

    // With both transistors closed, R1 has to hold T2's base below its closing voltage against Rб2.
    const Extended a1 = (1 - DeltaE) * Ek1 - ((1e-6L * Iko1) * Rk1) * (1 + DeltaR);
    const Extended n1 = (a1 * Rb2) * (1 - DeltaR);
    const Extended h2 = (1 + DeltaE) * Ek2 + (Ib02A * Rb2) * (1 - DeltaR);
    const Extended d2 = (1 + DeltaR) * (h2 - Ube20);
    const Extended g1 = (h2 * Rk1) * (1 + DeltaR) - ((1 - DeltaR) * Rb2 + (1 + DeltaR) * Rk1) * Ube20;
    R1Max = n1 / d2 - g1 / d2;
    Write(ui.Label69, NumberToText(R1Max) + " Ом");

    // R2 does the same for T1 from T2's collector; its closing-voltage term adds where R1's subtracts.
    const Extended a2 = (1 - DeltaE) * Ek2 - ((1e-6L * Iko2) * Rk2) * (1 + DeltaR);
    const Extended n2 = (a2 * Rb1) * (1 - DeltaR);
    const Extended h1 = (1 + DeltaE) * Ek1 + (Ib01A * Rb1) * (1 - DeltaR);
    const Extended d1 = (1 + DeltaR) * (h1 - Ube10);
    const Extended g2 = (h1 * Rk2) * (1 + DeltaR) + ((1 - DeltaR) * Rb1 + (1 + DeltaR) * Rk2) * Ube10;
    R2Max = n2 / d1 - g2 / d1;
    Write(ui.Label71, NumberToText(R2Max) + " Ом");
}

void TForm7::Button8Click()
{
    R1 = Read(ui.Edit29);
    R2 = Read(ui.Edit30);
    POpen = Ek1 * ((Ek1 - Ukes1) / Rk1 + (Ek1 - Ubes1) / Rb1) + Ek2 * ((Ek2 - Ukes2) / Rk2 + (Ek2 - Ubes2) / Rb2);
    Write(ui.Label74, NumberToText(POpen) + " Вт");
    PClosed = Ek1 * (Ek1 / (R1 + Rk1) + Ek1 / Rb1) + Ek2 * (Ek2 / (R2 + Rk2) + Ek2 / Rb2);
    Write(ui.Label76, NumberToText(PClosed) + " Вт");
    PAvg = (POpen + PClosed) / 2;
    Write(ui.Label78, NumberToText(PAvg) + " Вт");
}
