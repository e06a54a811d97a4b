// Each window's circuit, built from designs typed into the window, run through ngspice in-process and
// from its exported netlist by the `ngspice` command line.
#include "documents/calculation_document.h"
#include "documents/window_records.h"
#include "report/report.h"
#include "number_text/decimal_mark.h"
#include "simulation/simulation_window.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>

#include <atomic>
#include <cfenv>
#include <optional>
#include <thread>

namespace {

struct Design
{
    const char *name;
    const char *window;
    Texts typed;
    const char *verdict;          // as the window says it
    const char *golden = nullptr; // the netlist it must give, in tests/simulation/
    const char *byHand = nullptr; // the same design's netlist written by hand from the schematic, there too
    Texts parameters = {};        // typed into «Параметры моделирования»
};

QWidget *Window(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1StringView(name))
            return window;
    return nullptr;
}

// clang-format off
const Texts &kForm2 = kWorkingForm2;

const Texts kForm3 = {
    {"Edit1", "10"}, {"Edit2", "20"}, {"Edit3", "50"}, {"Edit4", "1"}, {"Edit5", "13"}, {"Edit6", "5"},
    {"Edit7", "30"}, {"Edit8", "2"}, {"Edit9", "50"}, {"Edit10", "70"}, {"Edit11", "1000"}, {"Edit12", "100"},
    {"Edit13", "4700"}, {"Edit14", "1,5"}, {"Edit15", "13000"}, {"Edit16", "100"}, {"Edit17", "2"},
    {"Edit18", "5100"},
};

const Texts kForm4 = {
    {"Edit1", "5"}, {"Edit2", "100"}, {"Edit3", "50"}, {"Edit4", "2"}, {"Edit5", "8"}, {"Edit10", "70"},
    {"Edit8", "20"}, {"Edit11", "430"}, {"Edit9", "5"}, {"Edit12", "1200"}, {"Edit13", "160"}, {"Edit7", "40"},
    {"Edit14", "20000"}, {"Edit16", "12000"}, {"Edit6", "1"}, {"Edit15", "13000"},
};

// Rб2 and R below what the window's worst case allows would leave T2 too little base current to hold the open
// state; these hold both states at tmax.
const Texts kForm5 = {
    {"Edit1", "5"}, {"Edit2", "10"}, {"Edit3", "-10"}, {"Edit4", "60"}, {"Edit5", "10"}, {"Edit6", "5"},
    {"Edit7", "40"}, {"Edit8", "120"}, {"Edit9", "25"}, {"Edit10", "100"}, {"Edit11", "5"}, {"Edit12", "3"},
    {"Edit13", "1"}, {"Edit14", "0,2"}, {"Edit15", "0,3"}, {"Edit16", "0,6"}, {"Edit17", "0,7"}, {"Edit18", "6"},
    {"Edit19", "12"}, {"Edit20", "2"}, {"Edit21", "820"}, {"Edit22", "2400"}, {"Edit23", "33000"}, {"Edit24", "6800"},
    {"Edit25", "5"}, {"Edit26", "12000"}, {"Edit27", "100"},
};

// Saturated at the least gain with the larger current that Rк below its bound gives, held off with R1 and R2
// below theirs.
const Texts kForm7 = {
    {"Edit7", "40"}, {"Edit8", "120"}, {"Edit9", "40"}, {"Edit10", "120"}, {"Edit1", "10"}, {"Edit2", "10"},
    {"Edit3", "-10"}, {"Edit4", "60"}, {"Edit5", "10"}, {"Edit6", "5"}, {"Edit11", "12"}, {"Edit12", "12"},
    {"Edit13", "5"}, {"Edit14", "5"}, {"Edit15", "5"}, {"Edit16", "5"}, {"Edit17", "0,2"}, {"Edit18", "0,3"},
    {"Edit19", "0,7"}, {"Edit20", "0,8"}, {"Edit21", "51000"}, {"Edit22", "51000"}, {"Edit23", "2000"},
    {"Edit24", "2000"}, {"Edit25", "0,5"}, {"Edit26", "0,5"}, {"Edit27", "20"}, {"Edit28", "20"}, {"Edit29", "33000"},
    {"Edit30", "30000"},
};

Texts With(Texts texts, const Texts &changes)
{
    for (const auto &[box, text] : changes)
        for (auto &typed : texts)
            if (qstrcmp(typed.first, box) == 0)
                typed.second = text;
    return texts;
}

const std::vector<Design> kDesigns = {
    {"Form2 as designed", "Form2", kForm2, "Триггер переключается при каждом из 6 входных импульсов", "form2.cir",
     "form2_by_hand.cir"},
    {"Form2 on a 0,3 V supply", "Form2", With(kForm2, {{"Edit4", "0,3"}}),
     "Триггер не переключается ни при одном из 6 входных импульсов"},
    {"Form2 with Rк.б a thousand times too large", "Form2", With(kForm2, {{"Edit14", "18000000"}}),
     "Триггер не переключается ни при одном из 6 входных импульсов"},
    {"Form2 with a transistor allowed 15 mA at 20 °C", "Form2", With(kForm2, {{"Edit8", "15"}}),
     "Триггер переключается при каждом из 6 входных импульсов, но ток коллектора Т1 12 мА при 20 °C больше "
     "допустимого 9,49 мА, ток коллектора Т2 12 мА при 20 °C больше допустимого 9,49 мА"},
    {"Form3 as designed", "Form3", kForm3, "Триггер переключается при каждом из 6 входных импульсов", "form3.cir",
     "form3_by_hand.cir"},
    // The window's full run: with С at the bare 0,23 / (fгр·Rк) the 5,6 µs pulse holds both collectors at the
    // diodes' node, and the trigger settles either way when it ends. Missed 1st pulse, switched at a later one.
    {"Form3 with С at the method's 46 pF", "Form3", With(kForm3, {{"Edit16", "47"}}),
     "При 20 °C: триггер переключается при 1 из 6 входных импульсов: пропущены 1-й, 2-й, 3-й, 4-й, 5-й; при 50 °C: "
     "триггер переключается при 2 из 6 входных импульсов: пропущены 2-й, 3-й, 4-й, 5-й"},
    {"Form3 on a 0,3 V supply", "Form3", With(kForm3, {{"Edit5", "0,3"}}),
     "Триггер не переключается ни при одном из 6 входных импульсов"},
    {"Form3 with Rк.б a thousand times too large", "Form3", With(kForm3, {{"Edit15", "13000000"}}),
     "Триггер не переключается ни при одном из 6 входных импульсов"},
    {"Form4 as designed", "Form4", kForm4, "Триггер переключается в каждом из 4 периодов входного напряжения",
     "form4.cir", "form4_by_hand.cir"},
    {"Form4 on a 0,3 V supply", "Form4", With(kForm4, {{"Edit5", "0,3"}}),
     "При 20 °C: триггер не переключается ни в одном из 4 периодов входного напряжения; при 50 °C: триггер "
     "переключается в каждом из 4 периодов входного напряжения, но напряжение коллектор-база Т1 6,76 В при 20 °C "
     "больше допустимого 0,6 В"},
    {"Form4 with Rк.б a thousand times too large", "Form4", With(kForm4, {{"Edit15", "13000000"}}),
     "Триггер не переключается ни в одном из 4 периодов входного напряжения"},
    {"Form5 as designed", "Form5", kForm5, "Триггер переключается при каждом из 4 входных импульсов", "form5.cir",
     "form5_by_hand.cir"},
    {"Form5 on a 0,3 V supply", "Form5", With(kForm5, {{"Edit19", "0,3"}}),
     "Триггер не переключается ни при одном из 4 входных импульсов"},
    {"Form5 with R a thousand times too large", "Form5", With(kForm5, {{"Edit26", "12000000"}}),
     "Триггер не переключается ни при одном из 4 входных импульсов"},
    {"Form5 with input pulses of 1,6 V", "Form5", kForm5,
     "При −10 °C: триггер переключается при каждом из 4 входных импульсов; при 60 °C: триггер переключается при 1 "
     "из 4 входных импульсов: пропущены 2-й, 3-й, 4-й", nullptr, nullptr, {{"PulseAmplitude", "1,6"}}},
    {"Form5 with input pulses of 0,5 µs, shorter than their edge", "Form5", kForm5,
     "Триггер переключается при каждом из 4 входных импульсов", nullptr, nullptr, {{"PulseWidth", "0,5"}}},
    {"Form7 as designed", "Form7", kForm7, "Два устойчивых состояния; переключается каждым из 4 импульсов в базы",
     "form7.cir", "form7_by_hand.cir"},
    {"Form7 on a 0,3 V supply", "Form7", With(kForm7, {{"Edit12", "0,3"}}),
     "Нет двух устойчивых состояний: ни один из 4 импульсов в базы не переключил триггер"},
    {"Form7 with R1 a thousand times too large", "Form7", With(kForm7, {{"Edit29", "33000000"}}),
     "Нет двух устойчивых состояний: ни один из 4 импульсов в базы не переключил триггер"},
};
// clang-format on

class Designs : public testing::TestWithParam<Design>
{
};

// The ".meas" results of a netlist run by `ngspice -b` as its first line says, which must not warn of anything
// (a vector it cannot save, a name it cannot parse); with `everyMeasured`, nor fail a measurement.
Measurements RunBatch(const QString &path, const QStringList &names, bool everyMeasured = false)
{
    QProcess ngspice;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SPICE_SCRIPTS"), QStringLiteral("/dev/null"));
    ngspice.setProcessEnvironment(environment);
    ngspice.start(QStringLiteral("ngspice"), {QStringLiteral("-b"), QStringLiteral("-n"), path});
    EXPECT_TRUE(ngspice.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(ngspice.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(ngspice.readAllStandardError());
    EXPECT_FALSE((output + errors).contains(QStringLiteral("warning"), Qt::CaseInsensitive))
        << path.toStdString() << '\n'
        << errors.toStdString();
    static const QRegularExpression failed(QStringLiteral("failed|out of interval"),
                                           QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(everyMeasured && (output + errors).contains(failed)) << path.toStdString() << '\n'
                                                                      << errors.toStdString();
    return ParseMeasurements(output.split(u'\n'), names);
}

std::string Table(const Verdict &verdict)
{
    QString text = verdict.text + u'\n';
    for (const FigureRow &row : verdict.rows) {
        text += QStringLiteral("  %1, %2:").arg(row.title, row.unit);
        for (double value : row.measured)
            text += u' ' + FigureText(value);
        text += QStringLiteral(" | %1\n").arg(FigureText(row.calculated));
    }
    return text.toStdString();
}

TEST_P(Designs, VerdictAndFiguresComeFromTheWaveforms)
{
    const Design &design = GetParam();
    auto *window = static_cast<TCalculatorWindow *>(Window(design.window));
    ASSERT_TRUE(window);
    WorkThrough(window, design.typed);
    QVariantMap parameters;
    for (const auto &[key, text] : design.parameters)
        parameters.insert(QString::fromUtf8(key), QString::fromUtf8(text));
    window->SetSimulationParameters(parameters);
    fenv_t before, after;
    fegetenv(&before);
    SimulationReport report;
    const Outcome<> simulated = Simulate(window, &report);
    ASSERT_TRUE(simulated) << simulated.Message().toStdString() << report.circuit.netlist.Text().toStdString();
    fegetenv(&after);
    EXPECT_EQ(before.__control_word, after.__control_word) << "the x87 control word changed";
    EXPECT_EQ(before.__mxcsr, after.__mxcsr) << "the SSE control and status changed";
    EXPECT_EQ(design.verdict, report.verdict.text.toStdString()) << Table(report.verdict);
    // Every trace is saved and plotted in each corner, as long as the run.
    for (const Corner &corner : report.circuit.corners)
        for (const Trace &trace : report.circuit.traces) {
            const QString vector = Netlist::Scoped(trace.vector, corner.suffix);
            EXPECT_EQ(report.outcome.time.size(), report.outcome.waveforms[vector].size()) << vector.toStdString();
        }
    // Works: every input switched in both corners and no limit was exceeded.
    const QString verdict = QString::fromUtf8(design.verdict);
    EXPECT_EQ((verdict.startsWith(u"Триггер переключается при каждом")
               || verdict.startsWith(u"Триггер переключается в каждом") || verdict.startsWith(u"Два устойчивых"))
                  && !verdict.contains(u", но "),
              report.verdict.works);
    if (design.golden) {
        QFile golden(QStringLiteral(ORTIX_GOLDEN_DIR "/") + QLatin1StringView(design.golden));
        if (qEnvironmentVariableIsSet("ORTIX_UPDATE_GOLDEN") && golden.open(QIODevice::WriteOnly))
            golden.write(report.circuit.netlist.Text().toUtf8());
        golden.close();
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << design.golden;
        EXPECT_EQ(QString::fromUtf8(golden.readAll()).toStdString(), report.circuit.netlist.Text().toStdString());
    }
    // What the command line prints: the same run, its table and parameters.
    const Outcome<QByteArray> printed = SimulationJson(window);
    ASSERT_TRUE(printed) << printed.Message().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(*printed).object();
    EXPECT_EQ(report.verdict.works, json[QStringLiteral("works")].toBool());
    EXPECT_EQ(report.verdict.text.toStdString(), json[QStringLiteral("verdict")].toString().toStdString());
    EXPECT_EQ(report.verdict.rows.size(), std::size_t(json[QStringLiteral("figures")].toArray().size()));
    EXPECT_EQ(report.circuit.parameters.size(), std::size_t(json[QStringLiteral("parameters")].toArray().size()));
    const QJsonObject measured = json[QStringLiteral("measured")].toObject();
    EXPECT_EQ(report.outcome.measured.size(), std::size_t(measured.size()));
    for (const auto &[name, value] : report.outcome.measured)
        EXPECT_EQ(value, measured[name].toDouble()) << name.toStdString();
    // The exported netlist, run as it is by the command line, measures the same.
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("design.cir"));
    const Outcome<> exported = ExportNetlist(window, path);
    ASSERT_TRUE(exported) << exported.Message().toStdString();
    // A trigger that works has each edge across the swing that took place: no measurement fails, and the table
    // gives every edge.
    const Measurements batch = RunBatch(path, report.circuit.netlist.MeasureNames(), report.verdict.works);
    for (const FigureRow &row : report.verdict.rows)
        for (double measured : row.measured)
            EXPECT_TRUE(!report.verdict.works || row.unit != u"мкс" || std::isfinite(measured))
                << row.title.toStdString();
    EXPECT_EQ(report.outcome.measured.size(), batch.size());
    for (const auto &[name, value] : report.outcome.measured) {
        ASSERT_TRUE(batch.count(name)) << name.toStdString();
        EXPECT_NEAR(value, batch.at(name), 1e-3 * std::abs(value) + 1e-15) << name.toStdString();
    }
    // An amplitude is taken across a switching that took place, also where the first input was missed; an open
    // transistor's figure in a state where it was open, as in the other corner.
    for (const FigureRow &row : report.verdict.rows)
        for (double measured : row.measured) {
            EXPECT_TRUE(
                !row.title.startsWith(u"Амплитуда")
                || (std::isfinite(measured) ? !(measured < row.calculated / 2) : !verdict.contains(u"пропущены 1-й")))
                << Table(report.verdict);
            EXPECT_FALSE(row.title.contains(u"открытого")
                         && measured < *std::max_element(row.measured.begin(), row.measured.end()) / 2)
                << Table(report.verdict);
        }
    // Each figure of the table is one of those measurements, and a figure not measured names none.
    for (const FigureRow &row : report.verdict.rows)
        for (std::size_t c = 0; c < row.measures.size(); ++c) {
            EXPECT_EQ(std::isfinite(row.measured[c]), !row.measures[c].isEmpty()) << row.title.toStdString();
            EXPECT_TRUE(row.measures[c].isEmpty() || batch.count(row.measures[c])) << row.measures[c].toStdString();
        }
    // The netlist written by hand from the schematic: whether every input switches the trigger in both corners,
    // and the output's swing across the first switching in the warm one, which the table's last amplitude gives.
    if (design.byHand) {
        const Measurements hand = RunBatch(QStringLiteral(ORTIX_GOLDEN_DIR "/") + QLatin1StringView(design.byHand),
                                           {QStringLiteral("works"), QStringLiteral("swing")});
        ASSERT_EQ(2u, hand.size()) << design.byHand;
        EXPECT_EQ(report.verdict.works, hand.at(QStringLiteral("works")) == 1);
        const auto amplitude = std::find_if(report.verdict.rows.rbegin(), report.verdict.rows.rend(),
                                            [](const FigureRow &row) { return row.title.startsWith(u"Амплитуда"); });
        ASSERT_NE(amplitude, report.verdict.rows.rend());
        EXPECT_NEAR(amplitude->measured.back(), hand.at(QStringLiteral("swing")),
                    0.02 * hand.at(QStringLiteral("swing")));
    }
    window->SetSimulationParameters({});
}

struct MissingData
{
    const char *window;
    const Texts *design;
    Texts typed;
    const char *message;
    QVariantMap parameters = {};
    bool stepsRun = true; // or the design typed into a new calculation, no step pressed
};

const std::vector<MissingData> kMissingData = {
    {"Form2", &kForm2, {{"Edit10", ""}, {"Edit12", "47 000"}}, "Для моделирования заполните: Rк, Rб"},
    {"Form2", &kForm2, {}, "Для моделирования заполните: «Шаг 11», «Шаг 9»", {}, false},
    {"Form5", &kForm5, {}, "Для моделирования заполните: «Шаг 11», «Шаг 4»", {}, false},
    {"Form3", &kForm3, {{"Edit5", "x"}}, "Для моделирования заполните: напряжение источника питания"},
    {"Form4", &kForm4, {{"Edit15", ""}, {"Edit2", ""}}, "Для моделирования заполните: Fвх, Rк.б"},
    {"Form5", &kForm5, {{"Edit24", "-6800"}}, "Такую схему моделировать нельзя: RK1 = -6800"},
    {"Form7", &kForm7, {}, "Для моделирования заполните: C2", {{QStringLiteral("C2"), QStringLiteral("4,7 пФ")}}},
    {"Form4",
     &kForm4,
     {},
     "Такую схему моделировать нельзя: R3 = 0, CP = nan",
     {{QStringLiteral("R3"), QStringLiteral("0")}}},
    {"Form5",
     &kForm5,
     {},
     "Такую схему моделировать нельзя: VIN = 0",
     {{QStringLiteral("PulseWidth"), QStringLiteral("0")}}},
};

TEST(Simulation, MissingDataNamesItsBoxesAndRunsNothing)
{
    for (const MissingData &row : kMissingData) {
        QWidget *window = Window(row.window);
        if (row.stepsRun) {
            WorkThrough(window, *row.design);
        } else {
            ClearWindow(static_cast<TCalculatorWindow *>(window));
            TypeInto(window, *row.design);
        }
        for (const auto &[box, text] : row.typed)
            Type(Find<QLineEdit>(window, box), QString::fromUtf8(text));
        static_cast<TCalculatorWindow *>(window)->SetSimulationParameters(row.parameters);
        SimulationReport report;
        const Outcome<> simulated = Simulate(window, &report);
        EXPECT_TRUE(simulated.Failed());
        EXPECT_EQ(QString::fromUtf8(row.message).toStdString(), simulated.Message().toStdString());
        EXPECT_TRUE(report.outcome.time.empty());
        EXPECT_EQ(SimulationJson(window).Message(), simulated.Message());
        EXPECT_TRUE(SimulationParameterTexts(window).empty());
        // The window says so, and shows the parameter as typed, to be typed over.
        for (const auto &[key, text] : row.parameters.asKeyValueRange()) {
            ShowSimulation(window);
            auto *simulation = window->findChild<TSimulationWindow *>();
            EXPECT_EQ(QString::fromUtf8(row.message), Find<QLabel>(simulation, "Verdict")->text());
            EXPECT_EQ(text.toString(),
                      Find<QLineEdit>(simulation, qPrintable(QStringLiteral("Parameter") + key))->text());
            simulation->close();
        }
        static_cast<TCalculatorWindow *>(window)->SetSimulationParameters({});
    }
    // A window that only bears a calculator's name has no circuit.
    QWidget impostor;
    impostor.setObjectName(QStringLiteral("Form2"));
    Circuit circuit;
    EXPECT_EQ(BuildCircuit(&impostor, &circuit).Message(),
              QStringLiteral("Для этой схемы моделирование не предусмотрено"));
}

// The window: verdict, table in the window's decimal mark with a column for each corner, chart; «Параметры
// моделирования» as boxes whose typed values the calculator keeps (and its file) and the circuit uses.
TEST(Simulation, WindowPlotsTabulatesAndSaves)
{
    auto *window = static_cast<TCalculatorWindow *>(Window("Form2"));
    WorkThrough(window, kForm2);
    const char mark = DecimalMark;
    DecimalMark = ',';
    ShowSimulation(window);
    auto *simulation = window->findChild<TSimulationWindow *>();
    ASSERT_TRUE(simulation);
    QSignalSpy finished(simulation, &TSimulationWindow::Finished);
    ASSERT_TRUE(simulation->Running() ? finished.wait(60000) : true);
    EXPECT_EQ("Триггер переключается при каждом из 6 входных импульсов",
              Find<QLabel>(simulation, "Verdict")->text().toStdString());
    const auto *figures = Find<QTableWidget>(simulation, "Figures");
    ASSERT_EQ(4, figures->columnCount());
    EXPECT_EQ("При 20 °C", figures->horizontalHeaderItem(1)->text().toStdString());
    // Uки beside the measured amplitude, "11,27", in the window's decimal mark.
    EXPECT_EQ("10", figures->item(0, 3)->text().toStdString());
    EXPECT_TRUE(figures->item(0, 2)->text().contains(u',')) << figures->item(0, 2)->text().toStdString();
    QWidget *chart = simulation->findChild<QWidget *>(QStringLiteral("WaveformChart"));
    ASSERT_TRUE(chart);
    QTemporaryDir directory;
    for (const char *name : {"chart.png", "chart.svg"}) {
        const QString path = directory.filePath(QLatin1StringView(name));
        const Outcome<> saved = simulation->SaveChart(path);
        EXPECT_TRUE(saved) << qPrintable(saved.Message());
        EXPECT_GT(QFileInfo(path).size(), 1000) << name;
    }
    auto *coupling = Find<QLineEdit>(simulation, "ParameterCp");
    EXPECT_EQ("3900", coupling->text().toStdString());
    EXPECT_TRUE(coupling->toolTip().contains(QStringLiteral("3900 пФ")));
    QSignalSpy edited(window, &TCalculatorWindow::SimulationParametersEdited);
    Type(coupling, QStringLiteral("4700"));
    emit coupling->editingFinished();
    EXPECT_EQ(1, edited.count());
    EXPECT_EQ("4700", window->SimulationParameters().value(QStringLiteral("Cp")).toString().toStdString());
    Circuit circuit;
    ASSERT_TRUE(BuildCircuit(window, &circuit));
    EXPECT_TRUE(circuit.netlist.Text().contains(QStringLiteral("CP_hot in_hot tn_hot 4.7e-09")));
    const std::vector<ParameterText> texts = SimulationParameterTexts(window);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("Ср 4700 пФ", (texts[0].caption + u' ' + texts[0].value + u' ' + texts[0].unit).toStdString());
    // Typed back to the default, it follows the window again.
    Type(coupling, QStringLiteral("3900"));
    emit coupling->editingFinished();
    EXPECT_TRUE(window->SimulationParameters().isEmpty());
    // Typed, and F5 pressed before the box is left: the run is of what the box says.
    Type(coupling, QStringLiteral("4700"));
    QSignalSpy rerun(simulation, &TSimulationWindow::Finished);
    emit simulation->findChild<QShortcut *>()->activated();
    EXPECT_EQ("4700", window->SimulationParameters().value(QStringLiteral("Cp")).toString().toStdString());
    EXPECT_TRUE(!simulation->Running() || rerun.wait(60000));
    EXPECT_EQ("4700", Find<QLineEdit>(simulation, "ParameterCp")->text().toStdString());
    window->SetSimulationParameters({});
    DecimalMark = mark;
    simulation->close();
}

// The verdict counts each input; a figure is taken across a switching that took place, never across a missed
// input, and a trigger that never switched has none.
TEST(Simulation, FiguresComeFromSwitchingsThatTookPlace)
{
    const struct
    {
        std::vector<double> collector; // before the first input and after each
        const char *verdict;
        double amplitude;
    } kRows[] = {
        {{-11, -11.0000018, 0, -11, 0}, "при 3 из 4: пропущены 1-й", 11},
        {{-11, 0, -11, -11, 0}, "при 3 из 4: пропущены 3-й", 11},
        {{-11, -0.5, -11, 0, -11}, "при каждом из 4", 10.5},
        {{-11, -11, -11, -11, -11}, "ни при одном из 4", NAN},
    };
    TriggerObserver observer({1, 2, 3, 4}, {0.5, 1.5, 2.5, 3.5, 4.5},
                             {QStringLiteral("при каждом из %2"), QStringLiteral("при %1 из %2: пропущены %3"),
                              QStringLiteral("ни при одном из %2")});
    observer.State(QStringLiteral("c1"), 5);
    observer.Amplitude(QStringLiteral("Амплитуда"), QStringLiteral("c1"), 10);
    for (const auto &row : kRows) {
        Measurements measured;
        for (std::size_t k = 0; k < row.collector.size(); ++k) {
            measured[QStringLiteral("s_c1_%1_hot").arg(k)] = row.collector[k];
            if (k > 0)
                measured[QStringLiteral("p0_%1_hot").arg(k)] = std::abs(row.collector[k] - row.collector[k - 1]);
        }
        const Verdict verdict = observer.Judge(measured, {{QStringLiteral("hot"), 20}});
        EXPECT_EQ(row.verdict, verdict.text.toStdString());
        EXPECT_EQ(QString::fromUtf8(row.verdict).startsWith(u"при каждом"), verdict.works);
        ASSERT_EQ(1u, verdict.rows.size());
        EXPECT_EQ(FigureText(row.amplitude).toStdString(), FigureText(verdict.rows[0].measured[0]).toStdString());
    }
}

// The defaults of «Параметры моделирования»: standard values, inside the bounds, with the margin asked for.
TEST(Simulation, DefaultPartsAreStandardValuesWithinTheirBounds)
{
    const struct
    {
        double value, expected;
    } kRows[] = {
        {DefaultPart::Below(46666.7, 1.2), 36000}, // 46,7 kΩ / 1,2 = 38,9 kΩ
        {DefaultPart::Below(211e-12), 200e-12},
        {DefaultPart::Below(200e-12), 200e-12},
        {DefaultPart::Above(1.85e-9), 2e-9},
        {DefaultPart::Above(1.8e-9), 1.8e-9},
        {DefaultPart::Above(1e3, 1.2), 1.2e3},
        {DefaultPart::InRange(3.27e-9, 4.9e-9), 3.9e-9},
        {DefaultPart::InRange(4.75e-9, 4.85e-9), 4.7e-9}, // none inside: the nearest
    };
    for (const auto &row : kRows)
        EXPECT_NEAR(row.expected, row.value, 1e-9 * row.expected);
}

QString GoldenNetlist(const char *name)
{
    return QString::fromUtf8(FileBytes(QStringLiteral(ORTIX_GOLDEN_DIR "/") + QLatin1StringView(name)));
}

// The symmetric trigger run with ten thousand times finer steps: it lasts far longer than any test waits.
QString SlowNetlist()
{
    QStringList lines = GoldenNetlist("form2.cir").split(u'\n');
    for (QString &line : lines) {
        if (line.startsWith(QLatin1StringView(".tran ")))
            line = line.section(u' ', 0, -2) + QStringLiteral(" 5e-11");
    }
    return lines.join(u'\n');
}

// Runs the slow netlist on a thread of its own until `stop` is set, once it has begun.
class OtherRun
{
public:
    OtherRun()
        : thread_([this] {
              RunControl control{.progress = [this](int) { started_ = true; }, .cancel = &stop_};
              RunSimulation(SlowNetlist(), {}, {}, control);
              finished_ = true;
          })
    {
        for (int i = 0; i < 1000 && !started_; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~OtherRun()
    {
        stop_ = true;
        thread_.join();
    }
    bool Going() const { return started_ && !finished_; }

private:
    std::atomic_bool stop_ = false, started_ = false, finished_ = false;
    std::thread thread_;
};

enum class Disturbance { None, CancelledBefore, CancelledWhileRunning, CancelledWhileWaiting };

// What cannot run, or is stopped, says why and measures nothing; whatever happens inside a run, the caller's
// floating-point settings are as they were, and a stopped run returns at once.
TEST(Simulation, FailuresAndStopsAreReportedNeverMeasured)
{
    const struct
    {
        const char *what;
        QString netlist;
        Disturbance disturbance;
        std::chrono::milliseconds limit;
        const char *error; // none: cancelled, which is no failure
    } kRows[] = {
        {"cancelled before it runs", GoldenNetlist("form2.cir"), Disturbance::CancelledBefore, std::chrono::minutes(1),
         nullptr},
        {"cancelled while it runs", SlowNetlist(), Disturbance::CancelledWhileRunning, std::chrono::minutes(1),
         nullptr},
        {"cancelled while it waits for another run", GoldenNetlist("form2.cir"), Disturbance::CancelledWhileWaiting,
         std::chrono::minutes(1), nullptr},
        {"past its time limit", SlowNetlist(), Disturbance::None, std::chrono::milliseconds(300),
         "Моделирование прервано: оно длилось дольше 300 мс"},
        {"ending early by itself",
         QStringLiteral("* runaway\nC1 n 0 1n\nB1 0 n I=1e-3*exp(v(n))\n.ic v(n)=0\n.tran 1e-8 1e-5\n"
                        ".meas tran uout FIND v(n) AT=5e-7\n.end\n"),
         Disturbance::None, std::chrono::minutes(1), "timestep too small"},
        {"with an unknown model", QStringLiteral("* unknown model\nV1 a 0 DC 1\nQ1 a a 0 NOSUCH\n.tran 1u 10u\n.end\n"),
         Disturbance::None, std::chrono::minutes(1), "nosuch"},
    };
    for (const auto &row : kRows) {
        SCOPED_TRACE(row.what);
        SetSimulationTimeLimit(row.limit);
        std::optional<OtherRun> other;
        if (row.disturbance == Disturbance::CancelledWhileWaiting)
            other.emplace();
        std::atomic_bool cancel = row.disturbance == Disturbance::CancelledBefore;
        bool waited = false;
        RunControl control;
        control.cancel = &cancel;
        control.progress = [&](int) { cancel = cancel || row.disturbance == Disturbance::CancelledWhileRunning; };
        control.waiting = [&](bool waiting) {
            waited = waited || waiting;
            cancel = cancel || (waiting && row.disturbance == Disturbance::CancelledWhileWaiting);
            // ngspice may set the caller's x87 precision and rounding: here it is done on purpose.
            fenv_t environment;
            fegetenv(&environment);
            environment.__control_word ^= 0x0f00;
            fesetenv(&environment);
        };
        fenv_t before, after;
        fegetenv(&before);
        const auto start = std::chrono::steady_clock::now();
        const SimulationOutcome outcome = RunSimulation(row.netlist, {QStringLiteral("uout")}, {}, control);
        const auto took = std::chrono::steady_clock::now() - start;
        fegetenv(&after);
        EXPECT_EQ(outcome.end.IsCancelled(), !row.error);
        EXPECT_EQ(outcome.end.Failed(), row.error != nullptr);
        if (row.error) {
            EXPECT_TRUE(outcome.end.Message().contains(QString::fromUtf8(row.error), Qt::CaseInsensitive))
                << outcome.end.Message().toStdString();
        }
        EXPECT_TRUE(outcome.measured.empty());
        EXPECT_TRUE(outcome.time.empty());
        EXPECT_EQ(before.__control_word, after.__control_word);
        EXPECT_LT(took, std::chrono::seconds(3));
        EXPECT_EQ(other.has_value(), waited);
        EXPECT_TRUE(!other || other->Going()) << "the other run must still be going";
    }
    SetSimulationTimeLimit(std::chrono::minutes(1));
}

TSimulationWindow *SimulationOf(QWidget *calculator)
{
    return calculator->findChild<TSimulationWindow *>(QString(), Qt::FindDirectChildrenOnly);
}

QString VerdictOf(QWidget *calculator)
{
    return Find<QLabel>(SimulationOf(calculator), "Verdict")->text();
}

// While another window's run holds ngspice, a run says it waits; «Отмена» and closing the window stop it at
// once, and the other run goes on.
TEST(Simulation, WindowWaitingForAnotherRunStopsAtOnce)
{
    QWidget *window = Window("Form3");
    WorkThrough(window, kForm3);
    OtherRun other;
    const QString kWaiting = QStringLiteral("Ожидание другого моделирования…");
    const struct
    {
        const char *how;
        std::function<void(TSimulationWindow *)> act;
        QString verdict; // a second later
    } kRows[] = {
        {"«Отмена»", [](TSimulationWindow *simulation) { Click(Find<QPushButton>(simulation, "Cancel")); },
         QStringLiteral("Моделирование отменено")},
        {"closing the window", [](TSimulationWindow *simulation) { simulation->close(); },
         QStringLiteral("Моделирование отменено")},
        {"closing the window and pressing F5 again",
         [window](TSimulationWindow *simulation) {
             simulation->close();
             ShowSimulation(window);
         },
         kWaiting},
    };
    for (const auto &row : kRows) {
        SCOPED_TRACE(row.how);
        ShowSimulation(window);
        TSimulationWindow *simulation = SimulationOf(window);
        ASSERT_TRUE(QTest::qWaitFor([&] { return VerdictOf(window) == kWaiting; }, 5000))
            << VerdictOf(window).toStdString();
        QElapsedTimer acting;
        acting.start();
        row.act(simulation);
        EXPECT_LT(acting.elapsed(), 100) << "the user interface waited";
        QTest::qWait(1000);
        EXPECT_EQ(row.verdict.toStdString(), VerdictOf(window).toStdString());
        EXPECT_EQ(row.verdict == kWaiting, simulation->Running());
        EXPECT_TRUE(other.Going());
        QSignalSpy finished(simulation, &TSimulationWindow::Finished);
        simulation->close();
        EXPECT_TRUE(!simulation->Running() || finished.wait(1000));
    }
}

// A simulation's result belongs to the values it was run with: the window marks it «устарело» and the report
// leaves it out as soon as they change, and both take it back when they are the same again.
TEST(Simulation, ResultIsShownAndReportedOnlyForItsOwnValues)
{
    QWidget *window = Window("Form2");
    WorkThrough(window, kForm2);
    ShowSimulation(window);
    TSimulationWindow *simulation = SimulationOf(window);
    QSignalSpy finished(simulation, &TSimulationWindow::Finished);
    ASSERT_TRUE(simulation->Running() ? finished.wait(60000) : true);
    const QString verdict = VerdictOf(window);
    // The section: its heading, the simulation's parameters, the verdict, the table.
    QString section = QStringLiteral("\nМоделирование\n");
    for (const ParameterText &parameter : SimulationParameterTexts(window))
        section += QStringLiteral("%1 = %2 %3\n").arg(parameter.caption, parameter.value, parameter.unit);
    section += verdict + u'\n';
    auto *coupling = Find<QLineEdit>(simulation, "ParameterCp");
    const QString defaultCoupling = coupling->text();
    TCalculationDocument *document = TCalculationDocument::Of(window);
    const CalculationRecord simulated = document->Record();
    CalculationRecord otherQuantities = simulated;
    for (auto &[name, value] : otherQuantities.windows.front().quantities)
        value *= 1.5;
    const std::pair<const char *, std::function<void()>> kChanges[] = {
        {"as simulated", [] {}},
        {"a box it used typed over", [&] { Type(Find<QLineEdit>(window, "Edit10"), QStringLiteral("1100")); }},
        {"the box typed back", [&] { Type(Find<QLineEdit>(window, "Edit10"), QStringLiteral("1000")); }},
        {"a file of the same boxes and other step values opened", [&] { document->Fill(otherQuantities); }},
        {"the simulated calculation opened again", [&] { document->Fill(simulated); }},
        {"the steps run again on the same values", [&] { WorkThrough(window, kForm2); }},
        {"a simulation parameter typed over",
         [&] {
             Type(coupling, QStringLiteral("4700"));
             emit coupling->editingFinished();
         }},
        {"the parameter typed back",
         [&] {
             Type(coupling, defaultCoupling);
             emit coupling->editingFinished();
         }},
        {"a step run on another value",
         [&] {
             Type(Find<QLineEdit>(window, "Edit4"), QStringLiteral("13"));
             Click(Find<QPushButton>(window, "Button2"));
         }},
    };
    const bool kCurrent[] = {true, false, true, false, true, true, false, true, false};
    for (std::size_t row = 0; row < std::size(kChanges); ++row) {
        SCOPED_TRACE(kChanges[row].first);
        kChanges[row].second();
        QCoreApplication::processEvents();
        EXPECT_EQ(!kCurrent[row], Find<QLabel>(simulation, "Stale")->isVisible());
        EXPECT_EQ(kCurrent[row], CurrentSimulation(window).has_value());
        // The window's own lines only: the simulation's texts come in its section, or nowhere.
        const QString report = ReportText(window, {});
        EXPECT_EQ(kCurrent[row], report.contains(section)) << report.toStdString();
        EXPECT_EQ(kCurrent[row], report.contains(QStringLiteral("при 20 °C ")));
        EXPECT_EQ(kCurrent[row] ? 1 : 0, report.count(verdict));
        EXPECT_FALSE(report.contains(QStringLiteral("Исходный масштаб")));
    }
    simulation->close();
}

INSTANTIATE_TEST_SUITE_P(Simulation, Designs, testing::ValuesIn(kDesigns), [](const auto &info) {
    return QString::fromUtf8(info.param.name).replace(QRegularExpression("\\W"), "_").toStdString();
});

} // namespace
