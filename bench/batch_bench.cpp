// The batch of variants side by side with the program's start-up, in one run: 1,000 variants of the
// emitter-coupled trigger (with its load window) to calculation files and ответы.csv against 20 start-ups
// of ortix-t to its first paint; the answer key of 30 variants against one PDF report. Printed as ratios.
//
//   batch_bench [--variants N] [--startups N]
#include "app/application.h"
#include "app/design_commands.h"
#include "app/forms.h"
#include "calculators/complementary/form5.h"
#include "design/batch.h"
#include "report/report.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

// The emitter-coupled trigger's given data, the output amplitudes varied from one variant to the next.
std::vector<Variant> Variants(int count)
{
    std::vector<Variant> variants;
    for (int number = 1; number <= count; ++number) {
        Variant variant{number, number + 1, QStringLiteral("Form5"), {}};
        const std::pair<const char *, QString> given[] = {{"Edit1", QString::number(4 + number % 5)},
                                                          {"Edit2", QString::number(9 + number % 7)},
                                                          {"Edit5", "10"},
                                                          {"Edit6", "5"},
                                                          {"Edit7", "40"},
                                                          {"Edit8", "120"},
                                                          {"Edit9", "25"},
                                                          {"Edit10", "100"},
                                                          {"Edit11", "5"},
                                                          {"Edit25", "5"},
                                                          {"Edit14", "0.2"},
                                                          {"Edit15", "0.3"},
                                                          {"Edit16", "0.6"},
                                                          {"Edit17", "0.7"},
                                                          {"С", "100"},
                                                          {"Form6.Edit3", "1000"},
                                                          {"Form6.Edit5", "500"},
                                                          {"Form6.Edit9", "10000"}};
        for (const auto &[column, value] : given)
            variant.given.emplace_back(QString::fromUtf8(column), value);
        variants.push_back(variant);
    }
    return variants;
}

double Batch(int count, bool answerKey)
{
    const QTemporaryDir folder;
    BatchOptions options;
    options.folder = folder.path();
    options.answerKey = answerKey;
    options.program = QStringLiteral("Ортикс-Т");
    options.version = QStringLiteral(ORTIX_VERSION);
    int designed = 0;
    QElapsedTimer timer;
    timer.start();
    if (const Outcome<> written =
            RunBatch(Variants(count), NewCalculation, options,
                     [&](const VariantOutcome &outcome) { return designed += outcome.designed, true; });
        !written) {
        std::fprintf(stderr, "batch_bench: %s\n", qPrintable(written.Message()));
        std::exit(1);
    }
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (designed != count) {
        std::fprintf(stderr, "batch_bench: %d of %d variants designed\n", designed, count);
        std::exit(1);
    }
    return milliseconds;
}

double StartUps(int count)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ORTIX_QUIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    QElapsedTimer timer;
    timer.start();
    for (int run = 0; run < count; ++run) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ORTIX_T_PATH), {});
        if (!program.waitForFinished(60000) || program.exitCode() != 0) {
            std::fprintf(stderr, "batch_bench: ortix-t did not quit after its first paint\n");
            std::exit(1);
        }
    }
    return timer.nsecsElapsed() / 1e6;
}

double OneReport()
{
    const QTemporaryDir folder;
    // The report of the first variant, designed.
    std::vector<std::unique_ptr<TCalculatorWindow>> calculation = NewCalculation(QStringLiteral("Form5"));
    const DesignPlan plan = PlanDesign(calculation.front().get());
    (void)TypeGivenData(plan, Variants(1).front().given);
    RunDesign(plan, true);
    QElapsedTimer timer;
    timer.start();
    if (const Outcome<> written =
            WriteReport(calculation.front().get(), folder.filePath(QStringLiteral("report.pdf")),
                        {QStringLiteral("Ортикс-Т"), QStringLiteral(ORTIX_VERSION), QDate::currentDate(), QString()});
        !written) {
        std::fprintf(stderr, "batch_bench: %s\n", qPrintable(written.Message()));
        std::exit(1);
    }
    return timer.nsecsElapsed() / 1e6;
}

int Option(int argc, char *argv[], const char *name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return std::atoi(argv[i + 1]);
    }
    return fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    const int variants = Option(argc, argv, "--variants", 1000);
    const int startups = Option(argc, argv, "--startups", 20);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(&application);
    CreateForms();
    Batch(3, false); // warm-up
    const double batch = Batch(variants, false);
    const double starting = StartUps(startups);
    std::printf("%d variants to files and ответы.csv: %.0f ms; %d start-ups to the first paint: %.0f ms; ratio %.2f "
                "(at most 1)\n",
                variants, batch, startups, starting, batch / starting);
    constexpr int kKeyVariants = 30;
    const double key = Batch(kKeyVariants, true) - Batch(kKeyVariants, false);
    const double report = OneReport();
    std::printf("the answer key of %d variants: %.0f ms; one PDF report: %.0f ms; ratio %.2f (at most 3)\n",
                kKeyVariants, key, report, key / report);
    DestroyForms();
    return 0;
}
