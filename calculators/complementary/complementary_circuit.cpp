#include "calculators/complementary/complementary_circuit.h"

#include <QCoreApplication>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("Simulation", text);
}

} // namespace

void AddComplementarySupplies(Netlist *netlist, const ComplementaryPair &pair)
{
    TransistorData t1 = pair.t1, t2 = pair.t2;
    t1.pnp = true;
    t2.pnp = false;
    // The windows give the reverse currents at the highest temperature, where the circuit is simulated.
    t1.dataTemperature = t1.temperature = t2.dataTemperature = t2.temperature = pair.temperature;
    netlist->Model(TransistorModel(QStringLiteral("QP"), t1));
    netlist->Model(TransistorModel(QStringLiteral("QN"), t2));
    netlist->DcSource(QStringLiteral("VEK1"), QStringLiteral("0"), QStringLiteral("vee1"), pair.ek1);
    netlist->DcSource(QStringLiteral("VEK2"), QStringLiteral("vcc2"), QStringLiteral("0"), pair.ek2);
    netlist->Temperature(pair.temperature);
}

void AddComplementaryStates(Circuit *circuit, CircuitInputs &in, const ComplementaryPair &pair,
                            const std::vector<double> &times, const QString &input, const VerdictTexts &texts)
{
    Netlist &netlist = circuit->netlist;
    for (const char *device : {"@q1[ic]", "@q1[ib]", "@q2[ic]", "@q2[ib]"})
        netlist.Save(QLatin1StringView(device));
    const QStringList c1 = Circuits::SampleAt(&netlist, QStringLiteral("vc1_"), QStringLiteral("v(c1)"), times);
    const QStringList c2 = Circuits::SampleAt(&netlist, QStringLiteral("vc2_"), QStringLiteral("v(c2)"), times);
    // The first two samples: closed, then open.
    const std::vector<double> states{times[0], times[1]};
    const auto sample = [&](const char *prefix, const char *vector) {
        return Circuits::SampleAt(&netlist, QLatin1StringView(prefix), QLatin1StringView(vector), states);
    };
    const QStringList ik1 = sample("ik1_", "@q1[ic]"), ib1 = sample("ib1_", "@q1[ib]");
    const QStringList ik2 = sample("ik2_", "@q2[ic]"), ib2 = sample("ib2_", "@q2[ib]");
    const QStringList iek1 = sample("iek1_", "i(VEK1)"), iek2 = sample("iek2_", "i(VEK2)");
    const auto measure = [&](const char *name, const QString &expression) {
        netlist.Measure(QLatin1StringView(name), QStringLiteral("param='%1'").arg(expression));
    };
    measure("uout1", QStringLiteral("abs(%1-%2)").arg(c1[1], c1[0]));
    measure("uout2", QStringLiteral("abs(%1-%2)").arg(c2[1], c2[0]));
    measure("ik1", QStringLiteral("abs(%1)").arg(ik1[1]));
    measure("ib1", QStringLiteral("abs(%1)").arg(ib1[1]));
    measure("ik2", QStringLiteral("abs(%1)").arg(ik2[1]));
    measure("ib2", QStringLiteral("abs(%1)").arg(ib2[1]));
    const auto power = [&](int state) {
        return QStringLiteral("%1*abs(%2)+%3*abs(%4)")
            .arg(Netlist::Number(pair.ek1), iek1[state], Netlist::Number(pair.ek2), iek2[state]);
    };
    measure("pclosed", power(0));
    measure("popen", power(1));

    const auto milliamperes = [&](const char *name) { return 1e-3 * in.Compared(name); };
    std::vector<Figure> figures{
        {QStringLiteral("uout1"), Tr("Амплитуда импульсов на коллекторе Т1"), QStringLiteral("В"), 1,
         in.Compared("Uout1"), QStringLiteral("Uout1")},
        {QStringLiteral("uout2"), Tr("Амплитуда импульсов на коллекторе Т2"), QStringLiteral("В"), 1,
         in.Compared("Uout2"), QStringLiteral("Uout2")},
        {QStringLiteral("ik1"), Tr("Ток коллектора открытого Т1 I'к1"), QStringLiteral("мА"), 1e3, milliamperes("Ik1"),
         QStringLiteral("Ik1")},
        {QStringLiteral("ib1"), Tr("Ток базы открытого Т1 I'б1"), QStringLiteral("мА"), 1e3, milliamperes("Ib1"),
         QStringLiteral("Ib1")},
        {QStringLiteral("ik2"), Tr("Ток коллектора открытого Т2 I'к2"), QStringLiteral("мА"), 1e3, milliamperes("Ik2"),
         QStringLiteral("Ik2")},
        {QStringLiteral("ib2"), Tr("Ток базы открытого Т2 I'б2"), QStringLiteral("мА"), 1e3, milliamperes("Ib2"),
         QStringLiteral("Ib2")},
        {QStringLiteral("popen"), Tr("Мощность, потребляемая в открытом состоянии"), QStringLiteral("мВт"), 1e3,
         in.Compared("POpen"), QStringLiteral("POpen")},
        {QStringLiteral("pclosed"), Tr("Мощность, потребляемая в закрытом состоянии"), QStringLiteral("мВт"), 1e3,
         in.Compared("PClosed"), QStringLiteral("PClosed")},
    };
    // The window's own figures come first, then what the circuit adds.
    figures.insert(figures.end(), circuit->figures.begin(), circuit->figures.end());
    circuit->figures = std::move(figures);
    const double swing1 = pair.ek1 / 2, swing2 = pair.ek2 / 2;
    circuit->judge = [c1, c2, swing1, swing2, input, texts](const Measurements &measured) {
        const Verdict first = Circuits::JudgeAlternation(measured, c1, {}, swing1, input, texts);
        return first.works ? Circuits::JudgeAlternation(measured, c2, {}, swing2, input, texts) : first;
    };
}
