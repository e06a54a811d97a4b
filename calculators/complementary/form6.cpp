#include "calculators/complementary/form6.h"

// Suffixes: " B" and " A" end in Latin letters where the program has always
// printed them so; " Вт" and " Ом" are Cyrillic.

TForm6 *Form6 = nullptr;

TForm6::TForm6(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm6Structure);
    SetUpWindow();
    ConnectStep(ui.Button1, &TForm6::Button1Click);
    ConnectStep(ui.Button2, &TForm6::Button2Click);
    ConnectStep(ui.Button3, &TForm6::Button3Click);
}

std::vector<NamedQuantity> TForm6::Quantities()
{
    return {
        {"Ek2", &Ek2},
        {"Ue", &Ue},
        {"Rn", &Rn},
        {"Rk2", &Rk2},
        {"Un", &Un},
        {"In", &In},
        {"Pn", &Pn},
        {"IRk2", &IRk2},
        {"IkT2", &IkT2},
        {"Rk2NoLoad", &Rk2NoLoad},
        {"Rk2Load", &Rk2Load},
        {"Ek2Var2", &Ek2Var2},
        {"UeVar2", &UeVar2},
        {"Rk2Var2", &Rk2Var2},
        {"RnVar2", &RnVar2},
        {"UnClosed", &UnClosed},
        {"InClosed", &InClosed},
        {"PnClosed", &PnClosed},
        {"InOpen", &InOpen},
        {"PnOpen", &PnOpen},
        {"UnAmp", &UnAmp},
    };
}

void TForm6::Button1Click()
{
    Ek2 = Read(ui.Edit1);
    Ue = Read(ui.Edit2);
    Rn = Read(ui.Edit3);
    Un = Ek2 - Ue;
    Write(ui.Label6, NumberToText(Un) + " B");
    // The drop Ек2 - U'э is formed afresh each time, in full precision, rather
    // than taken from Un.
    In = (Ek2 - Ue) / Rn;
    Write(ui.Label8, NumberToText(In) + " A");
    Pn = ((Ek2 - Ue) * (Ek2 - Ue)) / Rn;
    Write(ui.Label10, NumberToText(Pn) + " Вт");
    Rk2 = Read(ui.Edit4);
    IRk2 = (Ek2 - Ue) / Rk2;
    Write(ui.Label12, NumberToText(IRk2) + " A");
    IkT2 = IRk2 + In;
    Write(ui.Label15, NumberToText(IkT2) + " A");
}

void TForm6::Button2Click()
{
    // The load is the one that variant 1 last took, whatever its box shows now.
    Rk2NoLoad = Read(ui.Edit5);
    Rk2Load = (Rk2NoLoad * Rn) / (Rn - Rk2NoLoad);
    Write(ui.Label17, NumberToText(Rk2Load) + " Ом");
}

void TForm6::Button3Click()
{
    Ek2Var2 = Read(ui.Edit6);
    UeVar2 = Read(ui.Edit7);
    Rk2Var2 = Read(ui.Edit8);
    RnVar2 = Read(ui.Edit9);
    UnClosed = (Ek2Var2 * RnVar2) / (Rk2Var2 + RnVar2);
    Write(ui.Label27, NumberToText(UnClosed) + " B");
    InClosed = Ek2Var2 / (Rk2Var2 + RnVar2);
    Write(ui.Label29, NumberToText(InClosed) + " A");
    PnClosed = ((Ek2Var2 / (Rk2Var2 + RnVar2)) * (Ek2Var2 / (Rk2Var2 + RnVar2))) * RnVar2;
    Write(ui.Label31, NumberToText(PnClosed) + " Вт");
    // With the transistors open the load sits at the emitters' voltage.
    Write(ui.Label34, NumberToText(UeVar2) + " B");
    InOpen = UeVar2 / RnVar2;
    Write(ui.Label36, NumberToText(InOpen) + " A");
    PnOpen = (UeVar2 * UeVar2) / RnVar2;
    Write(ui.Label38, NumberToText(PnOpen) + " Вт");
    UnAmp = (Ek2Var2 * RnVar2) / (RnVar2 + Rk2Var2) - UeVar2;
    Write(ui.Label40, NumberToText(UnAmp) + " B");
}
