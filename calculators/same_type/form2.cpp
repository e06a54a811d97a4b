#include "calculators/same_type/form2.h"

// Suffixes: " B" and " мA" end in Latin letters where the program has always printed them so.

TForm2 *Form2 = nullptr;

TForm2::TForm2(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm2Structure);
    SetUpWindow();
    ConnectStep(ui.Button1, &TForm2::Button1Click);
    ConnectStep(ui.Button2, &TForm2::Button2Click);
    ConnectStep(ui.Button3, &TForm2::Button3Click);
    ConnectStep(ui.Button4, &TForm2::Button4Click);
    ConnectStep(ui.Button5, &TForm2::Button5Click);
    ConnectStep(ui.Button6, &TForm2::Button6Click);
    ConnectStep(ui.Button7, &TForm2::Button7Click);
    ConnectStep(ui.Button8, &TForm2::Button8Click);
    ConnectStep(ui.Button9, &TForm2::Button9Click);
    ConnectStep(ui.Button10, &TForm2::Button10Click);
    ConnectStep(ui.Button11, &TForm2::Button11Click);
}

std::vector<NamedQuantity> TForm2::Quantities()
{
    return {
        {"Uki", &Uki},
        {"EkMin", &EkMin},
        {"EkMax", &EkMax},
        {"Ek", &Ek},
        {"UkbMin", &UkbMin},
        {"Fp", &Fp},
        {"FgrMin", &FgrMin},
        {"IkMax", &IkMax},
        {"Tmax", &Tmax},
        {"Tokr", &Tokr},
        {"IkDop", &IkDop},
        {"RkMin", &RkMin},
        {"Eb", &Eb},
        {"TempSteps", &TempSteps},
        {"Iko", &Iko},
        {"IkoMax", &IkoMax},
        {"RbMax", &RbMax},
        {"Rk", &Rk},
        {"Rb", &Rb},
        {"SatFactor", &SatFactor},
        {"H21Min", &H21Min},
        {"Rkb", &Rkb},
        {"Fgr", &Fgr},
        {"C", &C},
        {"CChosen", &CChosen},
        {"Tc", &Tc},
        {"RkbChosen", &RkbChosen},
        {"Tv", &Tv},
        {"Tp", &Tp},
        {"IpAmp", &IpAmp},
        {"UpAmp", &UpAmp},
        {"TauB", &TauB},
        {"ResorptionTime", &ResorptionTime},
        {"PrepTime", &PrepTime},
        {"PulseDur", &PulseDur},
        {"FinMax", &FinMax},
        {"RMin", &RMin},
        {"R", &R},
        {"CpMax", &CpMax},
        {"CpMin", &CpMin},
    };
}

void TForm2::Button1Click()
{
    Uki = Read(ui.Edit1);
    EkMin = 1.1L * Uki;
    EkMax = 1.2L * Uki;
    Write(ui.Label14, NumberToText(EkMin) + "..." + NumberToText(EkMax) + " В");
}

void TForm2::Button2Click()
{
    Ek = Read(ui.Edit4);
    UkbMin = 2 * Ek;
    Write(ui.Label17, NumberToText(UkbMin) + " В");
    Fp = Read(ui.Edit2);
    FgrMin = Fp / 0.7L;
    Write(ui.Label19, NumberToText(FgrMin) + " кГц");
}

void TForm2::Button3Click()
{
    IkMax = Read(ui.Edit8);
    Tmax = Read(ui.Edit9);
    Tokr = Read(ui.Edit3);
    IkDop = Sqrt((Tmax - Tokr) / (Tmax - 20)) * IkMax;
    Write(ui.Label27, NumberToText(IkDop) + " мА");
    RkMin = Uki / (0.001L * IkDop);
    Write(ui.Label29, NumberToText(RkMin) + " Ом");
}

void TForm2::Button4Click()
{
    Eb = Read(ui.Edit11);
    TempSteps = (Tokr - 20) / 10;
    Iko = Read(ui.Edit7);
    IkoMax = Exp(Ln(2) * TempSteps) * Iko;
    Write(ui.Label33, NumberToText(IkoMax) + " мкА");
    RbMax = Eb / (1e-6L * IkoMax);
    Write(ui.Label35, NumberToText(RbMax) + " Ом");
}

void TForm2::Button5Click()
{
    Rk = Read(ui.Edit10);
    Rb = Read(ui.Edit12);
    SatFactor = Read(ui.Edit13);
    H21Min = Read(ui.Edit6);
    Rkb = Ek / ((Ek * SatFactor) / (H21Min * Rk) + Eb / Rb) - Rk;
    Write(ui.Label39, NumberToText(Rkb) + " Ом");
}

void TForm2::Button6Click()
{
    Fgr = Read(ui.Edit5);
    C = 0.23L / (Fgr * 1000000 * Rk);
    Write(ui.Label42, NumberToText(1e12L * C) + " пФ");
}

void TForm2::Button7Click()
{
    CChosen = Read(ui.Edit15);
    Tc = 1e-12L * CChosen * 3 * Rk;
    Write(ui.Label45, NumberToText(Tc * 1000000) + " мкс");
    RkbChosen = Read(ui.Edit14);
    Tv = (1e-12L * CChosen * 3) * ((Rb * RkbChosen) / (Rb + RkbChosen));
    Write(ui.Label47, NumberToText(Tv * 1000000) + " мкс");
    Tp = 1 / (Fp * 1000);
    Write(ui.Label49, NumberToText(Tp * 1000000) + " мкс");
}

void TForm2::Button8Click()
{
    IpAmp = Ek / Rk;
    Write(ui.Label51, NumberToText(IpAmp * 1000) + " мA");
    UpAmp = Ek / 2;
    Write(ui.Label53, NumberToText(UpAmp) + " B");
}

void TForm2::Button9Click()
{
    TauB = Read(ui.Edit16);
    ResorptionTime = ((SatFactor - 1) / IpAmp) * (1e-6L * TauB) * IpAmp;
    Write(ui.Label56, NumberToText(ResorptionTime * 1000000) + " мкс");
    PrepTime = 1.3L * TauB;
    Write(ui.Label58, NumberToText(PrepTime) + " мкс");
    Write(ui.Label60, NumberToText(TauB) + " мкс");
    PulseDur = ResorptionTime * 1000000 + PrepTime + TauB;
    Write(ui.Label62, NumberToText(PulseDur) + " мкс");
    FinMax = 1 / (Tc * 1000000 + PulseDur);
    Write(ui.Label64, NumberToText(FinMax * 1000) + " кГц");
}

void TForm2::Button10Click()
{
    RMin = 5 * Rk;
    Write(ui.Label66, NumberToText(RMin) + " Ом");
}

void TForm2::Button11Click()
{
    R = Read(ui.Edit17);
    CpMax = 1 / (Fp * 1000 * 2 * R);
    CpMin = 1 / (Fp * 1000 * 3 * R);
    Write(ui.Label69, NumberToText(1e12L * CpMin) + "..." + NumberToText(1e12L * CpMax) + " пФ");
    Write(ui.Label71, NumberToText(IpAmp * 1000) + " мА");
    Write(ui.Label73, NumberToText(Ek) + " B");
    Write(ui.Label75, NumberToText(Tokr) + " С");
}
