#include "calculators/complementary/complementary_circuit.h"

#include <QCoreApplication>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

std::vector<Corner> ComplementaryCorners(const ComplementaryPair &pair)
{
    return CornersBetween(pair.tmin, pair.tmax);
}

void AddComplementaryTransistors(Netlist *netlist, const ComplementaryPair &pair, const Corner &corner,
                                 const QString &emitter1, const QString &emitter2)
{
    TransistorData t1 = pair.t1, t2 = pair.t2;
    t1.pnp = true;
    t2.pnp = false;
    if (corner.temperature != pair.tmax) {
        t1.currentGain = pair.coldGain1;
        t2.currentGain = pair.coldGain2;
    }
    t1.reverseCollectorCurrent = ReverseCurrentAt(pair.t1.reverseCollectorCurrent, pair.tmax, corner.temperature);
    t2.reverseCollectorCurrent = ReverseCurrentAt(pair.t2.reverseCollectorCurrent, pair.tmax, corner.temperature);
    netlist->Comment(CornerComment(corner));
    netlist->DcSource(QStringLiteral("VEK1"), QStringLiteral("0"), QStringLiteral("vee1"), pair.ek1);
    netlist->DcSource(QStringLiteral("VEK2"), QStringLiteral("vcc2"), QStringLiteral("0"), pair.ek2);
    AddTransistor(netlist, QStringLiteral("Q1"), QStringLiteral("c1"), QStringLiteral("b1"), emitter1,
                  QStringLiteral("QP"), t1, corner.temperature);
    AddTransistor(netlist, QStringLiteral("Q2"), QStringLiteral("c2"), QStringLiteral("b2"), emitter2,
                  QStringLiteral("QN"), t2, corner.temperature);
}

void ObserveComplementaryStates(TriggerObserver *observer, const ComplementaryPair &pair,
                                const ComplementaryFigures &calculated)
{
    const auto compared = &CircuitInputs::Compared;
    const auto milliamperes = [&](const Quantity &current) { return 1e-3 * compared(current); };
    observer->State(QStringLiteral("c1"), pair.ek1 / 2);
    observer->State(QStringLiteral("c2"), pair.ek2 / 2);
    observer->Amplitude(Tr("Амплитуда импульсов на коллекторе Т1"), QStringLiteral("c1"), compared(calculated.uout1));
    observer->Amplitude(Tr("Амплитуда импульсов на коллекторе Т2"), QStringLiteral("c2"), compared(calculated.uout2));
    observer->InState(Tr("Ток коллектора открытого Т1 I'к1"), QStringLiteral("мА"), 1e3, QStringLiteral("@q1[ic]"),
                      milliamperes(calculated.ik1));
    observer->InState(Tr("Ток базы открытого Т1 I'б1"), QStringLiteral("мА"), 1e3, QStringLiteral("@q1[ib]"),
                      milliamperes(calculated.ib1));
    observer->InState(Tr("Ток коллектора открытого Т2 I'к2"), QStringLiteral("мА"), 1e3, QStringLiteral("@q2[ic]"),
                      milliamperes(calculated.ik2));
    observer->InState(Tr("Ток базы открытого Т2 I'б2"), QStringLiteral("мА"), 1e3, QStringLiteral("@q2[ib]"),
                      milliamperes(calculated.ib2));
    observer->InState(Tr("Мощность, рассеиваемая на открытом Т1"), QStringLiteral("мВт"), 1e3, QStringLiteral("@q1[p]"),
                      compared(calculated.pt1));
    observer->InState(Tr("Мощность, рассеиваемая на открытом Т2"), QStringLiteral("мВт"), 1e3, QStringLiteral("@q2[p]"),
                      compared(calculated.pt2));
    const std::vector<std::pair<QString, double>> supplies{{QStringLiteral("VEK1"), pair.ek1},
                                                           {QStringLiteral("VEK2"), pair.ek2}};
    observer->PowerInState(Tr("Мощность, потребляемая в открытом состоянии"), supplies, compared(calculated.powerOpen),
                           false);
    observer->PowerInState(Tr("Мощность, потребляемая в закрытом состоянии"), supplies,
                           compared(calculated.powerClosed), true);
    // The windows know no limits of their transistors: the peaks are shown for the reader to compare.
    observer->Ratings(QStringLiteral("Т1"), QStringLiteral("q1"), NAN, NAN, NAN);
    observer->Ratings(QStringLiteral("Т2"), QStringLiteral("q2"), NAN, NAN, NAN);
}
