// Each window's circuit, built from designs typed into the window, run through ngspice in-process and
// from its exported netlist by the `ngspice` command line.
#include "documents/calculation_document.h"
#include "report/report.h"
#include "simulation/simulation_window.h"
#include "tests/support/window_driver.h"
#include "window/calculator_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cfenv>
#include <optional>
#include <thread>

namespace {

using Texts = std::vector<std::pair<const char *, const char *>>;

struct Design
{
    const char *name;
    const char *window;
    Texts typed;
    bool works;
    // The measured amplitude, the calculated one it must reach, and the supply that bounds it.
    const char *amplitude;
    const char *requiredAmplitude;
    const char *supplyBox;
    const char *golden = nullptr; // the netlist it must give, in tests/simulation/
};

QWidget *Window(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1StringView(name))
            return window;
    return nullptr;
}

const Texts kForm2 = {
    {"Edit1", "10"},   {"Edit2", "20"},     {"Edit3", "50"},   {"Edit4", "12"},     {"Edit5", "5"},
    {"Edit6", "30"},   {"Edit7", "2"},      {"Edit8", "50"},   {"Edit9", "70"},     {"Edit10", "1000"},
    {"Edit11", "1,5"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit14", "18000"}, {"Edit15", "47"},
    {"Edit16", "2"},   {"Edit17", "5100"},
};

const Texts kForm3 = {
    {"Edit1", "10"},    {"Edit2", "20"},   {"Edit3", "50"},    {"Edit4", "1"},    {"Edit5", "13"},
    {"Edit6", "5"},     {"Edit7", "30"},   {"Edit8", "2"},     {"Edit9", "50"},   {"Edit10", "70"},
    {"Edit11", "1000"}, {"Edit12", "100"}, {"Edit13", "4700"}, {"Edit14", "1,5"}, {"Edit15", "13000"},
    {"Edit16", "100"},  {"Edit17", "2"},   {"Edit18", "5100"},
};

const Texts kForm4 = {
    {"Edit1", "5"},      {"Edit2", "100"},    {"Edit3", "50"}, {"Edit4", "2"},      {"Edit5", "8"},    {"Edit10", "70"},
    {"Edit8", "20"},     {"Edit11", "430"},   {"Edit9", "5"},  {"Edit12", "1200"},  {"Edit13", "160"}, {"Edit7", "40"},
    {"Edit14", "20000"}, {"Edit16", "12000"}, {"Edit6", "1"},  {"Edit15", "13000"},
};

// Rб2 and R below what the window's worst case allows would leave T2 too little base current to hold the open
// state; these hold both states at tmax.
const Texts kForm5 = {
    {"Edit1", "5"},      {"Edit2", "10"},    {"Edit3", "-10"},    {"Edit4", "60"},    {"Edit5", "10"},
    {"Edit6", "5"},      {"Edit7", "40"},    {"Edit8", "120"},    {"Edit9", "25"},    {"Edit10", "100"},
    {"Edit11", "5"},     {"Edit12", "3"},    {"Edit13", "1"},     {"Edit14", "0,2"},  {"Edit15", "0,3"},
    {"Edit16", "0,6"},   {"Edit17", "0,7"},  {"Edit18", "6"},     {"Edit19", "12"},   {"Edit20", "2"},
    {"Edit21", "820"},   {"Edit22", "2400"}, {"Edit23", "33000"}, {"Edit24", "6800"}, {"Edit25", "5"},
    {"Edit26", "12000"}, {"Edit27", "100"},
};

// Saturated at the least gain with the larger current that Rк below its bound gives, held off with R1 and R2
// below theirs.
const Texts kForm7 = {
    {"Edit7", "40"},     {"Edit8", "120"},    {"Edit9", "40"},    {"Edit10", "120"},   {"Edit1", "10"},
    {"Edit2", "10"},     {"Edit3", "-10"},    {"Edit4", "60"},    {"Edit5", "10"},     {"Edit6", "5"},
    {"Edit11", "12"},    {"Edit12", "12"},    {"Edit13", "5"},    {"Edit14", "5"},     {"Edit15", "5"},
    {"Edit16", "5"},     {"Edit17", "0,2"},   {"Edit18", "0,3"},  {"Edit19", "0,7"},   {"Edit20", "0,8"},
    {"Edit21", "51000"}, {"Edit22", "51000"}, {"Edit23", "2000"}, {"Edit24", "2000"},  {"Edit25", "0,5"},
    {"Edit26", "0,5"},   {"Edit27", "20"},    {"Edit28", "20"},   {"Edit29", "33000"}, {"Edit30", "30000"},
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
    {"Form2 as designed", "Form2", kForm2, true, "uout", "Uki", "Edit4", "form2.cir"},
    {"Form2 on a 1 V supply", "Form2", With(kForm2, {{"Edit4", "1"}}), false, "uout", "Uki", "Edit4"},
    {"Form2 with Rк.б a thousand times too large", "Form2", With(kForm2, {{"Edit14", "18000000"}}), false, "uout",
     "Uki", "Edit4"},
    {"Form3 as designed", "Form3", kForm3, true, "uout", "Uki", "Edit5", "form3.cir"},
    {"Form3 on a 1 V supply", "Form3", With(kForm3, {{"Edit5", "1"}}), false, "uout", "Uki", "Edit5"},
    {"Form3 with Rк.б a thousand times too large", "Form3", With(kForm3, {{"Edit15", "13000000"}}), false, "uout",
     "Uki", "Edit5"},
    {"Form4 as designed", "Form4", kForm4, true, "uout", "Uvyhi", "Edit5", "form4.cir"},
    {"Form4 on a 0,2 V supply", "Form4", With(kForm4, {{"Edit5", "0,2"}}), false, "uout", "Uvyhi", "Edit5"},
    {"Form4 with Rк.б a thousand times too large", "Form4", With(kForm4, {{"Edit15", "13000000"}}), false, "uout",
     "Uvyhi", "Edit5"},
    {"Form5 as designed", "Form5", kForm5, true, "uout2", "Uout2", "Edit19", "form5.cir"},
    {"Form5 on a 1 V supply", "Form5", With(kForm5, {{"Edit19", "1"}}), false, "uout2", "Uout2", "Edit19"},
    {"Form5 with R a thousand times too large", "Form5", With(kForm5, {{"Edit26", "20000000"}}), false, "uout2",
     "Uout2", "Edit19"},
    {"Form7 as designed", "Form7", kForm7, true, "uout2", "Uout2", "Edit12", "form7.cir"},
    {"Form7 on a 1 V supply", "Form7", With(kForm7, {{"Edit12", "1"}}), false, "uout2", "Uout2", "Edit12"},
    {"Form7 with R1 a thousand times too large", "Form7", With(kForm7, {{"Edit29", "30000000"}}), false, "uout2",
     "Uout2", "Edit12"},
};

// Types the design and presses every step in order, as a user working down the window does.
void WorkThrough(QWidget *window, const Texts &typed)
{
    for (const auto &[box, text] : typed)
        Type(Find<QLineEdit>(window, box), QString::fromUtf8(text));
    for (int step = 1;; ++step) {
        auto *button = window->findChild<QPushButton *>(QStringLiteral("Button%1").arg(step));
        if (!button)
            break;
        EXPECT_TRUE(ClickAndCollect(button).empty()) << "step " << step;
    }
}

double QuantityOf(QWidget *window, const char *name)
{
    for (const NamedQuantity &quantity : static_cast<TCalculatorWindow *>(window)->Quantities())
        if (qstrcmp(quantity.name, name) == 0)
            return quantity.quantity->value();
    return NAN;
}

class Designs : public testing::TestWithParam<Design>
{
};

TEST_P(Designs, VerdictAndFiguresComeFromTheWaveforms)
{
    const Design &design = GetParam();
    QWidget *window = Window(design.window);
    ASSERT_TRUE(window);
    WorkThrough(window, design.typed);
    fenv_t before, after;
    fegetenv(&before);
    SimulationReport report;
    QString error;
    ASSERT_TRUE(Simulate(window, &report, &error))
        << error.toStdString() << report.circuit.netlist.Text().toStdString();
    fegetenv(&after);
    EXPECT_EQ(before.__control_word, after.__control_word) << "the x87 control word changed";
    EXPECT_EQ(before.__mxcsr, after.__mxcsr) << "the SSE control and status changed";
    EXPECT_EQ(design.works, report.verdict.works)
        << report.verdict.text.toStdString() << report.circuit.netlist.Text().toStdString();
    // A failure gives its reason after a colon.
    EXPECT_EQ(design.works, !report.verdict.text.contains(u':'));
    if (design.works) {
        // The supply exceeds the required amplitude by 10 to 20 % and no swing exceeds it. What the collector
        // resistors divide off, the saturation voltages and, in the emitter-coupled trigger, the input junction
        // that clamps the base through Ср may take up to half of the required amplitude.
        const double amplitude = report.outcome.measured.at(QLatin1StringView(design.amplitude));
        EXPECT_GE(amplitude, 0.5 * QuantityOf(window, design.requiredAmplitude))
            << report.circuit.netlist.Text().toStdString();
        EXPECT_LE(amplitude, Find<QLineEdit>(window, design.supplyBox)->text().toDouble());
    }
    if (design.golden) {
        QFile golden(QStringLiteral(ORTIX_GOLDEN_DIR "/") + QLatin1StringView(design.golden));
        if (qEnvironmentVariableIsSet("ORTIX_UPDATE_GOLDEN") && golden.open(QIODevice::WriteOnly))
            golden.write(report.circuit.netlist.Text().toUtf8());
        golden.close();
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << design.golden;
        EXPECT_EQ(QString::fromUtf8(golden.readAll()).toStdString(), report.circuit.netlist.Text().toStdString());
    }
    // What the command line prints: the same run, the window's figures beside it.
    const QJsonObject json = QJsonDocument::fromJson(SimulationJson(window, &error)).object();
    EXPECT_EQ(design.works, json[QStringLiteral("works")].toBool());
    EXPECT_EQ(report.verdict.text.toStdString(), json[QStringLiteral("verdict")].toString().toStdString());
    const QJsonObject measured = json[QStringLiteral("measured")].toObject();
    EXPECT_EQ(report.outcome.measured.size(), std::size_t(measured.size()));
    for (const auto &[name, value] : report.outcome.measured)
        EXPECT_EQ(value, measured[name].toDouble()) << name.toStdString();
    EXPECT_EQ(QuantityOf(window, design.requiredAmplitude) != 0,
              json[QStringLiteral("calculated")].toObject().contains(QLatin1StringView(design.amplitude)));
    // The exported netlist, run as it is by the command line, measures the same.
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("design.cir"));
    ASSERT_TRUE(ExportNetlist(window, path, &error)) << error.toStdString();
    QProcess ngspice;
    ngspice.start(QStringLiteral("ngspice"), {QStringLiteral("-b"), path});
    ASSERT_TRUE(ngspice.waitForFinished(60000));
    const Measurements batch = ParseMeasurements(QString::fromLocal8Bit(ngspice.readAllStandardOutput()).split(u'\n'),
                                                 report.circuit.netlist.MeasureNames());
    EXPECT_EQ(report.outcome.measured.size(), batch.size());
    for (const auto &[name, value] : report.outcome.measured) {
        ASSERT_TRUE(batch.count(name)) << name.toStdString();
        EXPECT_NEAR(value, batch.at(name), 1e-3 * std::abs(value) + 1e-15) << name.toStdString();
    }
}

struct MissingData
{
    const char *window;
    const Texts *design;
    Texts typed;
    const char *message;
};

const std::vector<MissingData> kMissingData = {
    {"Form2", &kForm2, {{"Edit10", ""}, {"Edit12", "47 000"}}, "Для моделирования заполните: Rк, Rб"},
    {"Form3", &kForm3, {{"Edit5", "x"}}, "Для моделирования заполните: напряжение источника питания"},
    {"Form4", &kForm4, {{"Edit15", ""}, {"Edit2", ""}}, "Для моделирования заполните: Fвх, Rк.б"},
    {"Form5", &kForm5, {{"Edit24", "-6800"}}, "Такую схему моделировать нельзя: RK1 = -6800"},
};

TEST(Simulation, MissingDataNamesItsBoxesAndRunsNothing)
{
    for (const MissingData &row : kMissingData) {
        QWidget *window = Window(row.window);
        WorkThrough(window, *row.design);
        for (const auto &[box, text] : row.typed)
            Type(Find<QLineEdit>(window, box), QString::fromUtf8(text));
        SimulationReport report;
        QString error;
        EXPECT_FALSE(Simulate(window, &report, &error));
        EXPECT_EQ(QString::fromUtf8(row.message).toStdString(), error.toStdString());
        EXPECT_TRUE(report.outcome.time.empty());
        EXPECT_TRUE(SimulationJson(window, &error).isEmpty());
    }
}

TEST(Simulation, WindowPlotsTabulatesAndSaves)
{
    QWidget *window = Window("Form2");
    WorkThrough(window, kForm2);
    ShowSimulation(window);
    auto *simulation = window->findChild<TSimulationWindow *>();
    ASSERT_TRUE(simulation);
    QSignalSpy finished(simulation, &TSimulationWindow::Finished);
    ASSERT_TRUE(simulation->Running() ? finished.wait(60000) : true);
    EXPECT_EQ("Триггер переключается при каждом входном импульсе",
              Find<QLabel>(simulation, "Verdict")->text().toStdString());
    const auto *figures = Find<QTableWidget>(simulation, "Figures");
    ASSERT_GE(figures->rowCount(), 1);
    // Uки beside the measured amplitude.
    EXPECT_EQ("10", figures->item(0, 2)->text().toStdString());
    QWidget *chart = simulation->findChild<QWidget *>(QStringLiteral("WaveformChart"));
    ASSERT_TRUE(chart);
    QTemporaryDir directory;
    for (const char *name : {"chart.png", "chart.svg"}) {
        const QString path = directory.filePath(QLatin1StringView(name));
        QString error;
        EXPECT_TRUE(simulation->SaveChart(path, &error)) << qPrintable(error);
        EXPECT_GT(QFileInfo(path).size(), 1000) << name;
    }
    simulation->close();
}

QString GoldenNetlist(const char *name)
{
    QFile file(QStringLiteral(ORTIX_GOLDEN_DIR "/") + QLatin1StringView(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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
        const char *error;
    } kRows[] = {
        {"cancelled before it runs", GoldenNetlist("form2.cir"), Disturbance::CancelledBefore, std::chrono::minutes(1),
         "Моделирование отменено"},
        {"cancelled while it runs", SlowNetlist(), Disturbance::CancelledWhileRunning, std::chrono::minutes(1),
         "Моделирование отменено"},
        {"cancelled while it waits for another run", GoldenNetlist("form2.cir"), Disturbance::CancelledWhileWaiting,
         std::chrono::minutes(1), "Моделирование отменено"},
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
        EXPECT_TRUE(outcome.error.contains(QString::fromUtf8(row.error), Qt::CaseInsensitive))
            << outcome.error.toStdString();
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
        {"a step run on another value",
         [&] {
             Type(Find<QLineEdit>(window, "Edit4"), QStringLiteral("13"));
             Click(Find<QPushButton>(window, "Button2"));
         }},
    };
    const bool kCurrent[] = {true, false, true, false, true, true, false};
    for (std::size_t row = 0; row < std::size(kChanges); ++row) {
        SCOPED_TRACE(kChanges[row].first);
        kChanges[row].second();
        QCoreApplication::processEvents();
        EXPECT_EQ(!kCurrent[row], Find<QLabel>(simulation, "Stale")->isVisible());
        EXPECT_EQ(kCurrent[row], CurrentSimulation(window).has_value());
        // The window's own lines only: the simulation's texts come in its section, or nowhere.
        const QString report = ReportText(window, {});
        EXPECT_EQ(kCurrent[row], report.contains(QStringLiteral("\nМоделирование\n") + verdict + u'\n'))
            << report.toStdString();
        EXPECT_EQ(kCurrent[row] ? 1 : 0, report.count(verdict));
        EXPECT_FALSE(report.contains(QStringLiteral("Исходный масштаб")));
    }
    simulation->close();
}

INSTANTIATE_TEST_SUITE_P(Simulation, Designs, testing::ValuesIn(kDesigns), [](const auto &info) {
    return QString::fromUtf8(info.param.name).replace(QRegularExpression("\\W"), "_").toStdString();
});

} // namespace
