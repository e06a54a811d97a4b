#include "calculators/same_type/form3.h"

// Suffixes: " B" and " мA" end in Latin letters where the program has always printed them so.

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm3Structure);
    SetUpWindow();
    ConnectStep(ui.Button1, &TForm3::Button1Click);
    ConnectStep(ui.Button2, &TForm3::Button2Click);
    ConnectStep(ui.Button3, &TForm3::Button3Click);
    ConnectStep(ui.Button4, &TForm3::Button4Click);
    ConnectStep(ui.Button5, &TForm3::Button5Click);
    ConnectStep(ui.Button6, &TForm3::Button6Click);
    ConnectStep(ui.Button7, &TForm3::Button7Click);
    ConnectStep(ui.Button8, &TForm3::Button8Click);
    ConnectStep(ui.Button9, &TForm3::Button9Click);
    ConnectStep(ui.Button10, &TForm3::Button10Click);
    ConnectStep(ui.Button11, &TForm3::Button11Click);
    ConnectStep(ui.Button12, &TForm3::Button12Click);
    ConnectStep(ui.Button13, &TForm3::Button13Click);
}

std::vector<NamedQuantity> TForm3::Quantities()
{
    return {
        {"Ubias", &Ubias},
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
        {"Re", &Re},
        {"TempSteps", &TempSteps},
        {"Iko", &Iko},
        {"IkoMax", &IkoMax},
        {"Rk", &Rk},
        {"ReChosen", &ReChosen},
        {"RbMax", &RbMax},
        {"SatFactor", &SatFactor},
        {"H21Min", &H21Min},
        {"Rb", &Rb},
        {"Rkb", &Rkb},
        {"Fgr", &Fgr},
        {"C", &C},
        {"CChosen", &CChosen},
        {"RkbChosen", &RkbChosen},
        {"Tc", &Tc},
        {"Tv", &Tv},
        {"Tp", &Tp},
        {"IpAmp", &IpAmp},
        {"UpAmp", &UpAmp},
        {"TauB", &TauB},
        {"ResorptionTime", &ResorptionTime},
        {"PrepTime", &PrepTime},
        {"PulseDur", &PulseDur},
        {"FinMax", &FinMax},
        {"CeMin", &CeMin},
        {"CeMax", &CeMax},
        {"RMin", &RMin},
        {"R", &R},
        {"CpMax", &CpMax},
        {"CpMin", &CpMin},
    };
}

void TForm3::Button1Click()
{
    Ubias = Read(ui.Edit4);
    Uki = Read(ui.Edit1);
    EkMin = 1.1L * Uki + Ubias;
    EkMax = 1.2L * Uki + Ubias;
    Write(ui.Label14, NumberToText(EkMin) + "..." + NumberToText(EkMax) + " В");
}

void TForm3::Button2Click()
{
    Ek = Read(ui.Edit5);
    UkbMin = 2 * Ek;
    Write(ui.Label17, NumberToText(UkbMin) + " В");
    Fp = Read(ui.Edit2);
    FgrMin = Fp / 0.7L;
    Write(ui.Label19, NumberToText(FgrMin) + " кГц");
}

void TForm3::Button3Click()
{
    IkMax = Read(ui.Edit9);
    Tmax = Read(ui.Edit10);
    Tokr = Read(ui.Edit3);
    IkDop = Sqrt((Tmax - Tokr) / (Tmax - 20)) * IkMax;
    Write(ui.Label25, NumberToText(IkDop) + " мА");
    // The pulse amplitude, not the supply voltage, sets the least collector load.
    RkMin = Uki / (0.001L * IkDop);
    Write(ui.Label27, NumberToText(RkMin) + " Ом");
}

void TForm3::Button4Click()
{
    Re = Ubias / (0.001L * IkDop);
    Write(ui.Label30, NumberToText(Re) + " Ом");
}

void TForm3::Button5Click()
{
    TempSteps = (Tokr - 20) / 10;
    Iko = Read(ui.Edit8);
    IkoMax = Exp(Ln(2) * TempSteps) * Iko;
    Write(ui.Label35, NumberToText(IkoMax) + " мкА");
    Rk = Read(ui.Edit11);
    ReChosen = Read(ui.Edit12);
    RbMax = (Ek * ReChosen) / ((ReChosen + Rk) * (1e-6L * IkoMax));
    Write(ui.Label33, NumberToText(RbMax) + " Ом");
}

void TForm3::Button6Click()
{
    SatFactor = Read(ui.Edit14);
    H21Min = Read(ui.Edit7);
    Rb = Read(ui.Edit13);
    Rkb = (H21Min * Rk * Rb) / (SatFactor * Rb + H21Min * ReChosen) - Rk;
    Write(ui.Label39, NumberToText(Rkb) + " Ом");
}

void TForm3::Button7Click()
{
    Fgr = Read(ui.Edit6);
    C = 0.23L / (Fgr * 1000000 * Rk);
    Write(ui.Label42, NumberToText(1e12L * C) + " пФ");
}

void TForm3::Button8Click()
{
    CChosen = Read(ui.Edit16);
    RkbChosen = Read(ui.Edit15);
    Tc = 1e-12L * CChosen * 3 * Rk;
    Write(ui.Label47, NumberToText(Tc * 1000000) + " мкс");
    Tv = (1e-12L * CChosen * 3) * ((Rb * RkbChosen) / (Rb + RkbChosen));
    Write(ui.Label45, NumberToText(Tv * 1000000) + " мкс");
    Tp = 1 / (Fp * 1000);
    Write(ui.Label49, NumberToText(Tp * 1000000) + " мкс");
}

void TForm3::Button9Click()
{
    IpAmp = Ek / Rk;
    Write(ui.Label51, NumberToText(IpAmp * 1000) + " мA");
    UpAmp = Ek / 2;
    Write(ui.Label53, NumberToText(UpAmp) + " B");
}

void TForm3::Button10Click()
{
    TauB = Read(ui.Edit17);
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

void TForm3::Button11Click()
{
    // CChosen is in pF, so the range comes out in pF without scaling.
    CeMin = (CChosen * Rk) / ReChosen * 3;
    CeMax = (CChosen * Rk) / ReChosen * 5;
    Write(ui.Label66, NumberToText(CeMin) + "..." + NumberToText(CeMax) + " пФ");
}

void TForm3::Button12Click()
{
    RMin = 5 * Rk;
    Write(ui.Label68, NumberToText(RMin) + " Ом");
}

void TForm3::Button13Click()
{
    R = Read(ui.Edit18);
    CpMax = 1 / (Fp * 1000 * 2 * R);
    CpMin = 1 / (Fp * 1000 * 3 * R);
    Write(ui.Label70, NumberToText(1e12L * CpMin) + "..." + NumberToText(1e12L * CpMax) + " пФ");
    Write(ui.Label73, NumberToText(IpAmp * 1000) + " мА");
    Write(ui.Label75, NumberToText(Ek) + " B");
    Write(ui.Label77, NumberToText(Tokr) + " С");
}
