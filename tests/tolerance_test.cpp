// Margins and the tolerance analysis of a design typed into its window, its runs in `ngspice` processes.
#include "documents/calculation_document.h"
#include "documents/window_records.h"
#include "files/save_file.h"
#include "number_text/decimal_mark.h"
#include "report/report.h"
#include "calculators/same_type/form2.h"
#include "tests/support/calculator_cases.h"
#include "tests/support/window_driver.h"
#include "tolerance/ngspice_processes.h"
#include "tolerance/tolerance_analysis.h"
#include "tolerance/tolerance_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

namespace {

// Types the design with `changes` over it and presses every step, as a user working down the window does.
QWidget *Designed(const Texts &changes = {})
{
    TypeInto(::Form2, kWorkingForm2);
    WorkThrough(::Form2, changes);
    return ::Form2;
}

std::vector<TolerancePart> PartsOf(QWidget *window)
{
    const Outcome<std::vector<TolerancePart>> parts = ToleranceParts(window);
    EXPECT_TRUE(parts) << parts.Message().toStdString();
    return parts ? *parts : std::vector<TolerancePart>{};
}

ToleranceResult Analysed(QWidget *window, ToleranceOptions options, QString *error = nullptr)
{
    ToleranceResult result;
    const Outcome<> analysed = AnalyseTolerance(window, PartsOf(window), options, &result);
    EXPECT_EQ(analysed.Done(), error == nullptr) << analysed.Message().toStdString();
    if (error)
        *error = analysed.Message();
    return result;
}

const Margin *MarginOf(const ToleranceResult &result, const QString &part)
{
    for (const Margin &margin : result.margins)
        if (margin.part == part)
            return &margin;
    return nullptr;
}

// Each accepted part and parameter of the working design works over a range around its value; a part set just
// inside the edge its tolerance reaches past is warned of, with the standard value that restores the margin.
TEST(Tolerance, MarginsHoldTheNominalValuesAndWarnWhereTheToleranceReachesPast)
{
    ToleranceResult designed = Analysed(Designed(), {.runs = 0, .jobs = 2});
    ASSERT_TRUE(designed.nominalWorks);
    const QStringList parts{QStringLiteral("Rк"), QStringLiteral("Rб"), QStringLiteral("Rк.б"),
                            QStringLiteral("С"),  QStringLiteral("R"),  QStringLiteral("Ср")};
    for (const QString &part : parts) {
        const Margin *margin = MarginOf(designed, part);
        ASSERT_TRUE(margin) << part.toStdString();
        EXPECT_FALSE(margin->low >= margin->nominal) << part.toStdString();
        EXPECT_FALSE(margin->high <= margin->nominal) << part.toStdString();
    }
    const Margin *capacitor = MarginOf(designed, QStringLiteral("С"));
    ASSERT_TRUE(std::isfinite(capacitor->low));
    // A capacitor 5 % above its lowest working value: ±10 % reaches past it.
    const QByteArray marginal = QByteArray::number(capacitor->low * 1.05, 'f', 1).replace('.', ',');
    const ToleranceResult tight =
        Analysed(Designed({{"Edit15", marginal.constData()}}), {.runs = 0, .marginParts = {QStringLiteral("С")}});
    const Margin *warned = MarginOf(tight, QStringLiteral("С"));
    ASSERT_TRUE(warned);
    EXPECT_TRUE(warned->warning.contains(QStringLiteral("возьмите"))) << warned->warning.toStdString();
    EXPECT_TRUE(warned->warning.startsWith(QStringLiteral("С = "))) << warned->warning.toStdString();
}

// A design that cannot work has no margins and a yield of none, whatever the parts draw.
TEST(Tolerance, BrokenDesignsYieldNothing)
{
    for (const Texts &broken : {Texts{{"Edit14", "18000000"}}, Texts{{"Edit4", "0,3"}}}) { // Rк.б ×1000, 0,3 V
        const char *name = broken.front().first;
        const ToleranceResult result = Analysed(Designed(broken), {.runs = 6, .jobs = 2});
        EXPECT_FALSE(result.nominalWorks) << name;
        EXPECT_TRUE(result.margins.empty()) << name;
        EXPECT_EQ(result.runs, 6) << name;
        EXPECT_EQ(result.works, 0) << name;
        EXPECT_EQ(result.yield, 0) << name;
        EXPECT_NEAR(result.high, 0.3903, 1e-4) << name; // Wilson's 95 % bound of 0 in 6
    }
}

bool Same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The same seed draws the same runs on one worker and on two.
TEST(Tolerance, SameSeedSameResultOnAnyNumberOfWorkers)
{
    QWidget *window = Designed();
    std::vector<ToleranceResult> results;
    for (int jobs : {1, 2})
        results.push_back(
            Analysed(window, {.runs = 8, .jobs = jobs, .seed = 29, .marginParts = {QStringLiteral("R")}}));
    EXPECT_EQ(results[0].runs, 8);
    EXPECT_EQ(results[0].works, results[1].works);
    ASSERT_EQ(results[0].swings.size(), results[1].swings.size());
    for (std::size_t k = 0; k < results[0].swings.size(); ++k)
        EXPECT_TRUE(Same(results[0].swings[k], results[1].swings[k])) << k;
    EXPECT_TRUE(Same(results[0].margins.front().low, results[1].margins.front().low));
    EXPECT_TRUE(Same(results[0].margins.front().high, results[1].margins.front().high));
    const ToleranceResult other = Analysed(window, {.runs = 8, .jobs = 2, .seed = 30, .marginParts = {"R"}});
    EXPECT_NE(other.swings, results[0].swings);
}

// An `ngspice` in the folder that runs `body` (and with "exec ngspice" the real one).
QString NgspiceScript(const QTemporaryDir &folder, const char *body)
{
    const QString script = folder.filePath(QStringLiteral("ngspice"));
    EXPECT_TRUE(SaveFile(script, QByteArray("#!/bin/sh\n") + body));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

// Cancelling stops every worker within a second, between runs of the Monte Carlo analysis and in the middle of a
// run; what was not run is neither a verdict nor a failure. Cancelled before the nominal design was judged, the
// analysis has no result at all (not a design that does not work).
TEST(Tolerance, CancelStopsEveryWorkerWithinASecond)
{
    QWidget *window = Designed();
    QTemporaryDir folder;
    struct Row
    {
        QString program;
        int cancelAfterRuns;
        bool result; // done with what it had, else cancelled
    };
    for (const Row &row :
         {Row{QStringLiteral("ngspice"), 40, true}, Row{NgspiceScript(folder, "exec sleep 60\n"), 0, false}}) {
        SetNgspiceProgram(row.program);
        std::atomic_bool cancel = false;
        std::atomic_int done = 0;
        QElapsedTimer sinceCancel;
        std::thread canceller([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            while (done < row.cancelAfterRuns)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            sinceCancel.start();
            cancel = true;
        });
        ToleranceResult result;
        const Outcome<> analysed =
            AnalyseTolerance(window, PartsOf(window), {.runs = 2000, .jobs = 2, .marginParts = {QStringLiteral("R")}},
                             &result, {.cancel = &cancel, .progress = [&](int runs, int) { done = runs; }});
        EXPECT_EQ(analysed.Done(), row.result) << analysed.Message().toStdString();
        EXPECT_EQ(analysed.IsCancelled(), !row.result);
        canceller.join();
        EXPECT_LT(sinceCancel.elapsed(), 1000) << row.program.toStdString();
        EXPECT_TRUE(result.cancelled);
        EXPECT_LT(result.runs, 2000);
        EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join(u'\n').toStdString();
    }
    SetNgspiceProgram(QStringLiteral("ngspice"));
}

// A worker that fails is counted and named, never taken for a verdict; the nominal design failing stops it all.
TEST(Tolerance, FailedWorkersAreNamedNeverJudged)
{
    QWidget *window = Designed();
    QTemporaryDir folder;
    // Every other start of ngspice fails.
    SetNgspiceProgram(NgspiceScript(folder,
                                    QStringLiteral("n=$(flock %1/lock sh -c 'echo x >> %1/count; wc -l < %1/count')\n"
                                                   "[ $((n % 2)) = 0 ] && { echo 'Error: broken' >&2; exit 3; }\n"
                                                   "exec ngspice \"$@\"\n")
                                        .arg(folder.path())
                                        .toUtf8()
                                        .constData()));
    const ToleranceResult result = Analysed(window, {.runs = 6, .jobs = 2, .marginParts = {"R"}});
    EXPECT_EQ(result.runs
                  + std::count_if(result.failures.begin(), result.failures.end(),
                                  [](const QString &failure) { return failure.startsWith(u"прогон"); }),
              6);
    EXPECT_FALSE(result.failures.isEmpty());
    for (const QString &failure : result.failures)
        EXPECT_TRUE(failure.contains(QStringLiteral("кодом 3: Error: broken"))) << failure.toStdString();
    SetNgspiceProgram(QStringLiteral("/nonexistent/ngspice"));
    QString error;
    Analysed(window, {.runs = 2}, &error);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Схему не удалось промоделировать"))) << error.toStdString();
    SetNgspiceProgram(QStringLiteral("ngspice"));
}

// Whether a label the window shows says the text.
bool Shows(const QWidget *window, const QString &text)
{
    for (auto *label : window->findChildren<QLabel *>())
        if (label->isVisible() && label->text().contains(text))
            return true;
    return false;
}

// A netlist that ngspice cannot run to its end gives a failure, never measurements; the worker goes on after it.
TEST(Tolerance, NetlistsThatDoNotRunFail)
{
    const QString good = QStringLiteral("* rc\nR1 a 0 1k\nC1 a 0 1n IC=1\n.tran 1e-9 2e-6 0 10n UIC\n"
                                        ".meas tran va FIND v(a) AT=1u\n.end\n");
    struct Row
    {
        QString netlist;
        bool runs;
    };
    const std::vector<Row> rows{
        {good, true},
        {QStringLiteral(
             "* broken\nR1 a 0 1k\nQ1 a b 0 nomodel\n.tran 1e-9 2e-6\n.meas tran va FIND v(a) AT=1u\n.end\n"),
         false},
        // Aborts halfway, where the source's root has no value: it asks for no measurement, so only how far it
        // ran tells.
        {QStringLiteral("* short\nB1 a 0 V=sqrt(1u-time)\nR1 a 0 1k\n.tran 1e-9 2e-6\n.end\n"), false},
        {good, true},
    };
    std::vector<NetlistRun> runs;
    for (const Row &row : rows)
        runs.push_back(
            {row.netlist, row.netlist.contains(QStringLiteral(".meas")) ? QStringList{"va"} : QStringList{}});
    const std::vector<NetlistRunOutcome> outcomes = RunNetlists(runs, 1);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(outcomes[k].failure.isEmpty(), rows[k].runs) << k << ' ' << outcomes[k].failure.toStdString();
        EXPECT_EQ(outcomes[k].measured.size(), runs[k].measureNames.size() && rows[k].runs ? 1U : 0U) << k;
    }
}

// `--tolerance` prints one JSON object of the saved design, in SI.
TEST(Tolerance, CommandLinePrintsTheAnalysis)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("form2.ortix"));
    ASSERT_TRUE(TCalculationDocument::Of(Designed())->SaveTo(path));
    QProcess program;
    program.start(QStringLiteral(ORTIX_PROGRAM), {"--tolerance", path, "--runs", "4", "--jobs", "2", "--seed", "7"});
    ASSERT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(program.readAllStandardOutput()).object();
    EXPECT_EQ(json["runs"].toInt(), 4);
    EXPECT_EQ(json["seed"].toString(), "7");
    EXPECT_EQ(json["interval"].toArray().size(), 2);
    const QJsonObject capacitor = json["margins"].toObject()["С"].toObject();
    EXPECT_DOUBLE_EQ(capacitor["nominal"].toDouble(), 47e-12);
    EXPECT_LT(capacitor["low"].toDouble(), 47e-12);
    EXPECT_GT(capacitor["low"].toDouble(), 30e-12);
    EXPECT_FALSE(json["sensitivity"].toArray().isEmpty());
}

QByteArray Replaced(QByteArray bytes, const QByteArray &from, const QByteArray &to)
{
    EXPECT_TRUE(bytes.contains(from)) << from.toStdString();
    return bytes.replace(from, to);
}

// A result kept with its calculation comes back whole from its file; a section that is not one is refused, naming
// the field.
TEST(Tolerance, SavedResultsReadBackOrAreRefusedNamingTheField)
{
    const QByteArray good = FileBytes(QStringLiteral(ORTIX_TEST_CALCULATION_CORPUS "/tolerance"));
    const Outcome<CalculationRecord> read = CalculationFromJson(good);
    ASSERT_TRUE(read) << read.Message().toStdString();
    const Outcome<CalculationRecord> again = CalculationFromJson(CalculationToJson(*read));
    EXPECT_TRUE(again && *again == *read);
    struct Row
    {
        const char *from, *to, *field;
    };
    for (const Row &row : std::vector<Row>{
             {"\"runs\": 4", "\"runs\": 0", "tolerance.runs"},
             {"\"works\": 3", "\"works\": 5", "tolerance.works"},
             {"\"yield\": \"0x1.8p-1\"", "\"yield\": \"inf\"", "tolerance.yield"},
             {"\"interval\": [\"0x1.3333333333333p-2\", ", "\"interval\": [", "tolerance.interval"},
             {"\"seed\": \"18446744073709551615\"", "\"seed\": \"-7\"", "tolerance.seed"},
             {"\"netlist\": \"0123", "\"netlist\": \"X123", "tolerance.netlist"},
             {"\"cancelled\": false", "\"cancelled\": 0", "tolerance.cancelled"},
             {"\"resistor\": \"0x1.999999999999ap-5\"", "\"resistor\": null", "tolerance.tolerances.resistor"},
             {"\"counts\": [1, 0, 2]", "\"counts\": [1, -1, 2]", "tolerance.swings.counts"},
             {"\"part\": \"С\"", "\"part\": 1", "tolerance.margins.part"},
             {"\"separation\": \"0x1.8p+0\"", "\"separation\": \"nan\"", "tolerance.sensitivity.separation"},
             {"\"failures\": [", "\"failures\": [1, ", "tolerance.failures"},
         }) {
        const Outcome<CalculationRecord> broken = CalculationFromJson(Replaced(good, row.from, row.to));
        EXPECT_FALSE(broken) << row.to;
        EXPECT_TRUE(broken.Message().contains(QStringLiteral("«Form2.") + row.field))
            << row.to << ": " << broken.Message().toStdString();
    }
}

// A result computed in the window is an unsaved change that changes no box or result, and «Отмена» keeps it; saved,
// it opens again as it was shown, with its settings, current while the values still give its inputs: in the window,
// in the report, and in `--report` with no window.
TEST(Tolerance, ResultsTravelWithTheCalculation)
{
    QWidget *calculator = Designed();
    TCalculationDocument *document = TCalculationDocument::Of(calculator);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("saved.ortix"));
    ASSERT_TRUE(document->SaveTo(path));
    CalculationRecord before = document->Record();
    before.windows.front().tolerance.reset(); // an earlier test's
    ShowTolerance(calculator);
    auto *window = calculator->findChild<TToleranceWindow *>();
    auto *runs = window->findChild<QSpinBox *>();
    auto *seed = window->findChild<QLineEdit *>(QStringLiteral("Seed"));
    QSignalSpy finished(window, &TToleranceWindow::Finished);
    const auto click = [window](const char *text) {
        for (auto *button : window->findChildren<QPushButton *>())
            if (button->text() == QString::fromUtf8(text))
                Click(button);
    };
    runs->setValue(4);
    seed->setText(QStringLiteral("29"));
    click("Рассчитать");
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(document->IsModified());
    CalculationRecord after = document->Record();
    EXPECT_TRUE(std::exchange(after.windows.front().tolerance, std::nullopt) && after == before);
    EXPECT_GT(window->findChild<QTableWidget *>()->rowCount(), 3);
    EXPECT_TRUE(Shows(window, QStringLiteral("из 4 образцов")));
    // Cancelled before the nominal design is judged, it says so and keeps the result it had.
    SetNgspiceProgram(NgspiceScript(folder, "exec sleep 60\n"));
    click("Рассчитать");
    QTest::qWait(300);
    click("Отмена");
    ASSERT_TRUE(finished.wait(1000));
    SetNgspiceProgram(QStringLiteral("ngspice"));
    EXPECT_TRUE(Shows(window, QStringLiteral("Расчёт отменён.")));
    EXPECT_TRUE(window->ResultIsCurrent());
    // Opening another file over it asks first; cancelled, the result stays.
    EXPECT_EQ(CollectMessageBoxes([&] { (void)OpenCalculation(path); }, QStringLiteral("Отмена")).size(), 1U);
    EXPECT_TRUE(document->Record().windows.front().tolerance);
    ASSERT_TRUE(document->Save());
    const QByteArray saved = FileBytes(path);
    EXPECT_TRUE(saved.contains("\"version\": 3"));
    const QString shownLines = ReportText(calculator, {}).section(QStringLiteral("Запас и разброс\n"), 1);
    ASSERT_FALSE(shownLines.isEmpty());
    runs->setValue(200);
    seed->setText(QStringLiteral("1"));

    const QString digest = QString::fromLatin1(saved).section(QStringLiteral("\"netlist\": \""), 1).left(64);
    const auto typeCapacitor = [&](const char *text) {
        Type(Find<QLineEdit>(calculator, "Edit15"), QString::fromUtf8(text));
    };
    struct Row
    {
        const char *name;
        QByteArray file;
        std::function<void()> change;
        bool current;
        char mark = ',';
    };
    for (const Row &row : std::vector<Row>{
             {"reopened", saved, [] {}, true},
             {"reopened under the other mark", saved, [] {}, true, '.'},
             {"the capacitor typed over", saved, [&] { typeCapacitor("51"); }, false},
             {"the capacitor typed over and back", saved,
              [&] {
                  typeCapacitor("51");
                  typeCapacitor("47");
              },
              true},
             {"another seed", saved, [&] { seed->setText(QStringLiteral("30")); }, false},
             {"another netlist", Replaced(saved, digest.toLatin1(), QByteArray(64, 'f')), [] {}, false},
         }) {
        const QString file = folder.filePath(QString::fromLatin1(row.name) + QStringLiteral(".ortix"));
        ASSERT_TRUE(SaveFile(file, row.file));
        DecimalMark = row.mark;
        CollectMessageBoxes([&] { EXPECT_TRUE(OpenCalculation(file)) << row.name; }, QStringLiteral("&Не сохранять"));
        EXPECT_EQ(runs->value(), 4) << row.name;
        EXPECT_EQ(seed->text(), QStringLiteral("29")) << row.name;
        row.change();
        QTest::qWait(10);
        EXPECT_EQ(window->ResultIsCurrent(), row.current) << row.name;
        EXPECT_EQ(Shows(window, QStringLiteral("Устарело")), !row.current) << row.name;
        const QString report = ReportText(calculator, {}).section(QStringLiteral("Запас и разброс\n"), 1);
        DecimalMark = ',';
        const QRegularExpression comma(QStringLiteral("(\\d),(\\d)"));
        EXPECT_EQ(report,
                  row.current ? QString(shownLines).replace(comma, QStringLiteral("\\1%1\\2").arg(row.mark))
                              : QString())
            << row.name;
        QProcess headless;
        headless.start(QStringLiteral(ORTIX_PROGRAM), {"--report", folder.filePath("report.txt"), file});
        ASSERT_TRUE(headless.waitForFinished(60000));
        EXPECT_EQ(FileBytes(folder.filePath("report.txt")).contains("Запас и разброс\n"), row.file == saved)
            << row.name;
    }

    // A file opened while an analysis runs stops it, and keeps its own result.
    runs->setValue(100000);
    window->Start();
    QTest::qWait(300);
    CollectMessageBoxes([&] { EXPECT_TRUE(OpenCalculation(path)); }, QStringLiteral("&Не сохранять"));
    ASSERT_TRUE(finished.wait(1000));
    EXPECT_EQ(runs->value(), 4);
    EXPECT_TRUE(window->ResultIsCurrent());
    window->close();
}

} // namespace
