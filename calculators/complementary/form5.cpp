#include "calculators/complementary/form5.h"

#include "calculators/complementary/form6.h"
#include "calculators/complementary/saturation_verdict.h"
#include "window/designed_window.h"

TForm5 *Form5 = nullptr;

TForm5::TForm5(QWidget *parent) : TCalculatorWindow(parent)
{
    ui.setupUi(this);
    DeclareStructure(this, kForm5Structure);
    SetUpWindow();
    ConnectStep(ui.Button1, &TForm5::Button1Click);
    ConnectStep(ui.Button2, &TForm5::Button2Click);
    ConnectStep(ui.Button3, &TForm5::Button3Click);
    ConnectStep(ui.Button4, &TForm5::Button4Click);
    ConnectStep(ui.Button5, &TForm5::Button5Click);
    ConnectStep(ui.Button6, &TForm5::Button6Click);
    ConnectStep(ui.Button7, &TForm5::Button7Click);
    ConnectStep(ui.Button8, &TForm5::Button8Click);
    ConnectStep(ui.Button9, &TForm5::Button9Click);
    ConnectStep(ui.Button10, &TForm5::Button10Click);
    ConnectStep(ui.Button11, &TForm5::Button11Click);
    // Showing a window computes nothing and cannot fault.
    connect(ui.Button12, &QPushButton::clicked, this, &TForm5::Button12Click);
}

std::vector<NamedQuantity> TForm5::Quantities()
{
    return {
        {"Beta1Tmin", &Beta1Tmin},
        {"Beta1Tmax", &Beta1Tmax},
        {"Beta2Tmin", &Beta2Tmin},
        {"Beta2Tmax", &Beta2Tmax},
        {"Sn1Max", &Sn1Max},
        {"Sn2Max", &Sn2Max},
        {"Iko1", &Iko1},
        {"Ik1Min", &Ik1Min},
        {"Ik1", &Ik1},
        {"Ik2Min", &Ik2Min},
        {"Ib1", &Ib1},
        {"Ik2", &Ik2},
        {"Ib2", &Ib2},
        {"Ie1", &Ie1},
        {"Ie2", &Ie2},
        {"Ukes1", &Ukes1},
        {"Ukes2", &Ukes2},
        {"Ubes1", &Ubes1},
        {"Ubes2", &Ubes2},
        {"Pt1", &Pt1},
        {"Pt2", &Pt2},
        {"Uout1", &Uout1},
        {"Uout2", &Uout2},
        {"Ek2Min", &Ek2Min},
        {"Ek2Max", &Ek2Max},
        {"Ek2", &Ek2},
        {"UeMin", &UeMin},
        {"UeMax", &UeMax},
        {"DeltaEPct", &DeltaEPct},
        {"DeltaRPct", &DeltaRPct},
        {"DeltaE", &DeltaE},
        {"DeltaR", &DeltaR},
        {"Ue", &Ue},
        {"ReMin", &ReMin},
        {"Rk2Max", &Rk2Max},
        {"Rb2Max", &Rb2Max},
        {"Ek1", &Ek1},
        {"Rk1Max", &Rk1Max},
        {"Iko2", &Iko2},
        {"Rk1", &Rk1},
        {"Rb2", &Rb2},
        {"RMax", &RMax},
        {"Rk2", &Rk2},
        {"POpen", &POpen},
        {"R", &R},
        {"PClosed", &PClosed},
        {"PAvg", &PAvg},
        {"CChosen", &CChosen},
        {"Tau", &Tau},
        {"Tv", &Tv},
    };
}

void TForm5::Button1Click()
{
    Beta1Tmin = Read(ui.Edit7);
    Beta1Tmax = Read(ui.Edit8);
    Beta2Tmin = Read(ui.Edit9);
    Beta2Tmax = Read(ui.Edit10);
    Sn1Max = Beta1Tmax / Beta1Tmin;
    Write(ui.Label26, NumberToText(Sn1Max));
    Sn2Max = Beta2Tmax / Beta2Tmin;
    Write(ui.Label29, NumberToText(Sn2Max));
    Write(ui.Label34, SaturationVerdict(Sn1Max, 1));
    Write(ui.Label35, SaturationVerdict(Sn2Max, 2));
}

void TForm5::Button2Click()
{
    Iko1 = Read(ui.Edit11);
    Ik1Min = 10 * Iko1;
    Write(ui.Label39, NumberToText(Ik1Min) + " мкА");
}

void TForm5::Button3Click()
{
    Ik1 = Read(ui.Edit13);
    Ik2Min = 2 * Ik1;
    Write(ui.Label40, NumberToText(Ik2Min) + " мА");
}

void TForm5::Button4Click()
{
    Ib1 = Ik1 / Beta1Tmin;
    Write(ui.Label44, NumberToText(Ib1) + " мА");
    Ik2 = Read(ui.Edit12);
    Ib2 = Ik2 / Beta2Tmin;
    Write(ui.Label46, NumberToText(Ib2) + " мА");
    Ie1 = Ik1 + Ib1;
    Write(ui.Label48, NumberToText(Ie1) + " мА");
    Ie2 = Ik2 + Ib2;
    Write(ui.Label50, NumberToText(Ie2) + " мА");
}

void TForm5::Button5Click()
{
    Ukes1 = Read(ui.Edit14);
    Ukes2 = Read(ui.Edit15);
    Ubes1 = Read(ui.Edit16);
    Ubes2 = Read(ui.Edit17);
    Pt1 = ((0.001L * Ik1) * Ukes1) + ((0.001L * Ib1) * Ubes1);
    Write(ui.Label56, NumberToText(Pt1) + " Вт");
    Pt2 = ((0.001L * Ik2) * Ukes2) + ((0.001L * Ib2) * Ubes2);
    Write(ui.Label58, NumberToText(Pt2) + " Вт");
}

void TForm5::Button6Click()
{
    Uout1 = Read(ui.Edit1);
    // The magnitude of Ек1 only has to exceed the amplitude wanted at T1's
    // collector.
    Write(ui.Label60, NumberToText(Uout1) + " В");
    Uout2 = Read(ui.Edit2);
    Ek2Min = 1.1L * Uout2;
    Ek2Max = 1.2L * Uout2;
    Write(ui.Label62, NumberToText(Ek2Min) + "..." + NumberToText(Ek2Max) + " В");
}

void TForm5::Button7Click()
{
    Ek2 = Read(ui.Edit19);
    UeMin = 0.1L * Ek2;
    UeMax = 0.2L * Ek2;
    Write(ui.Label65, NumberToText(UeMin) + "..." + NumberToText(UeMax) + " В");
}

void TForm5::Button8Click()
{
    DeltaEPct = Read(ui.Edit5);
    DeltaRPct = Read(ui.Edit6);
    DeltaE = DeltaEPct / 100;
    DeltaR = DeltaRPct / 100;
    Ue = Read(ui.Edit20);
    // Rэ carries the difference of the emitter currents, I'э2 - I'э1.
    ReMin = ((1 - DeltaE) * Ue) / (((0.001L * Ie2) - (0.001L * Ie1)) * (1 + DeltaR));
    Write(ui.Label68, NumberToText(ReMin) + " Ом");
    Rk2Max = ((((1 - DeltaE) * Ek2) - ((1 + DeltaE) * Ue)) - Ukes2) / ((1 + DeltaR) * (0.001L * Ik2));
    Write(ui.Label70, NumberToText(Rk2Max) + " Ом");
    Rb2Max = (((1 - DeltaE) * Ek2) - ((1 + DeltaE) * Ue)) / ((1 + DeltaR) * (0.001L * Ib2));
    Write(ui.Label72, NumberToText(Rb2Max) + " Ом");
    Ek1 = Read(ui.Edit18);
    Rk1Max = ((Ek1 + Ue) * (1 - DeltaE)) / ((1 + DeltaR) * (0.001L * Ik1));
    Write(ui.Label74, NumberToText(Rk1Max) + " Ом");
}

void TForm5::Button9Click()
{
    Iko2 = Read(ui.Edit25);
    Rk1 = Read(ui.Edit24);
    Rb2 = Read(ui.Edit23);
    // The bound's numerator and divisor are worked out piece by piece, as the
    // method writes them; no piece is kept.
    const Extended a = (1 - DeltaE) * Ek1;
    const Extended b = ((1e-6L * Iko1) * Rk1) * (1 + DeltaR);
    const Extended s1 = ((a - b) * Rb2) * (1 - DeltaR);
    const Extended g = (1 + DeltaE) * Ek2;
    const Extended d = ((1e-6L * Iko2) * Rb2) * (1 - DeltaR);
    const Extended s2 = ((g + d) * Rk1) * (1 + DeltaR);
    const Extended e = ((1 - DeltaE) * Ek2) + d;
    RMax = (s1 - s2) / ((1 + DeltaR) * e);
    Write(ui.Label77, NumberToText(RMax) + " Ом");
}

void TForm5::Button10Click()
{
    Rk2 = Read(ui.Edit22);
    const Extended p1 = (((Ek1 + Ue) + Ukes1) / Rk1) * Ek1;
    const Extended p2 = (((Ek2 - Ue) - Ukes2) / Rk2) * Ek2;
    const Extended p3 = (((Ek2 - Ue) - Ubes2) / Rb2) * Ek2;
    POpen = p1 + p2 + p3;
    Write(ui.Label82, NumberToText(POpen) + " Вт");
    R = Read(ui.Edit26);
    PClosed = ((Ek1 * Ek1) / (Rk1 + R)) + ((Ek2 * Ek2) / Rb2);
    Write(ui.Label83, NumberToText(PClosed) + " Вт");
    PAvg = (POpen + PClosed) / 2;
    Write(ui.Label85, NumberToText(PAvg) + " Вт");
}

void TForm5::Button11Click()
{
    CChosen = Read(ui.Edit27);
    // С charges through R in parallel with Rк1 + Rб2.
    Tau = (((Rk1 + Rb2) * R) / ((R + Rk1) + Rb2)) * (1e-12L * CChosen);
    Write(ui.Label88, NumberToText(Tau * 1000000) + " мкс");
    Tv = (Tau * 1000000) * 1.6L;
    Write(ui.Label90, NumberToText(Tv) + " мкс");
}

void TForm5::Button12Click()
{
    BringToFront(FollowingCalculation());
}

QWidget *TForm5::FollowingCalculation() const
{
    // A window made with none joined to it, as the windows' tests make it, opens the program's.
    QWidget *following = TCalculatorWindow::FollowingCalculation();
    return following ? following : Form6;
}
