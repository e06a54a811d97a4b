// The batch of variants side by side with the program's start-up, in one run: 1,000 variants of the
// emitter-coupled trigger (with its load window) to calculation files and ответы.csv against 20 start-ups
// of ortix-t to its first paint; the answer key of 30 variants against one PDF report. Printed as ratios.
//
//   batch_bench [--variants N] [--startups N] [--rounds N] [--folder DIR]
#include "app/application.h"
#include "app/design_commands.h"
#include "app/forms.h"
#include "calculators/complementary/form5.h"
#include "design/batch.h"
#include "report/report.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kKeyVariants = 30;

// The emitter-coupled trigger's variants as a teacher's CSV gives them (the columns --batch-template Form5
// prints), the output amplitudes varied from one variant to the next, read as the batch reads its file.
std::vector<Variant> Variants(int count)
{
    QByteArray csv =
        "окно;Edit1;Edit2;Edit5;Edit6;Edit7;Edit8;Edit9;Edit10;Edit11;Edit25;Edit14;Edit15;Edit16;Edit17;С;"
        "Form6.Edit3;Form6.Edit5;Form6.Edit9\n";
    for (int number = 1; number <= count; ++number)
        csv += QStringLiteral("Form5;%1;%2;10;5;40;120;25;100;5;5;0,2;0,3;0,6;0,7;100;1000;500;10000\n")
                   .arg(4 + number % 5)
                   .arg(9 + number % 7)
                   .toUtf8();
    QStringList problems;
    std::vector<Variant> variants = ReadVariants(csv, &problems);
    if (!problems.isEmpty() || int(variants.size()) != count) {
        std::fprintf(stderr, "batch_bench: %s\n", qPrintable(problems.join(QStringLiteral("; "))));
        std::exit(1);
    }
    return variants;
}

// Where the batches write: a folder of their own in the one given, all kept until the end, since a file system
// may take longer to make files where many were just removed.
class Folders
{
public:
    explicit Folders(const QString &base) : base_(base + QStringLiteral("/batch_bench-XXXXXX")) {}

    QString Next()
    {
        folders_.push_back(std::make_unique<QTemporaryDir>(base_));
        if (!folders_.back()->isValid()) {
            std::fprintf(stderr, "batch_bench: cannot make a folder in %s\n", qPrintable(base_));
            std::exit(1);
        }
        return folders_.back()->path();
    }

private:
    QString base_;
    std::vector<std::unique_ptr<QTemporaryDir>> folders_;
};

double Batch(const std::vector<Variant> &variants, bool answerKey, Folders &folders)
{
    BatchOptions options;
    options.folder = folders.Next();
    options.answerKey = answerKey;
    options.program = QStringLiteral("Ортикс-Т");
    options.version = QStringLiteral(ORTIX_VERSION);
    int designed = 0;
    QElapsedTimer timer;
    timer.start();
    if (const Outcome<> written =
            RunBatch(variants, NewCalculation, options,
                     [&](const VariantOutcome &outcome) { return designed += outcome.designed, true; });
        !written) {
        std::fprintf(stderr, "batch_bench: %s\n", qPrintable(written.Message()));
        std::exit(1);
    }
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (designed != int(variants.size())) {
        std::fprintf(stderr, "batch_bench: %d of %zu variants designed\n", designed, variants.size());
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

// The report of the first variant, designed, as «Экспорт отчёта…» writes it.
double OneReport(Folders &folders)
{
    std::vector<std::unique_ptr<TCalculatorWindow>> calculation = NewCalculation(QStringLiteral("Form5"));
    const DesignPlan plan = PlanDesign(calculation.front().get());
    (void)TypeGivenData(plan, Variants(1).front().given);
    RunDesign(plan, true);
    const QString path = folders.Next() + QStringLiteral("/report.pdf");
    QElapsedTimer timer;
    timer.start();
    if (const Outcome<> written =
            WriteReport(calculation.front().get(), path,
                        {QStringLiteral("Ортикс-Т"), QStringLiteral(ORTIX_VERSION), QDate::currentDate(), QString()});
        !written) {
        std::fprintf(stderr, "batch_bench: %s\n", qPrintable(written.Message()));
        std::exit(1);
    }
    return timer.nsecsElapsed() / 1e6;
}

const char *Option(int argc, char *argv[], const char *name, const char *fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    }
    return fallback;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const int variants = std::atoi(Option(argc, argv, "--variants", "1000"));
    const int startups = std::atoi(Option(argc, argv, "--startups", "20"));
    const int rounds = std::max(1, std::atoi(Option(argc, argv, "--rounds", "3")));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(&application);
    CreateForms();
    // In the home folder unless told, as a teacher's answers: not in /tmp, nor beside the program, where compilers
    // make and remove files by the thousand.
    const char *folder = Option(argc, argv, "--folder", nullptr);
    Folders folders(folder ? QString::fromLocal8Bit(folder) : QDir::homePath());
    const std::vector<Variant> batch = Variants(variants), key = Variants(kKeyVariants);
    // Warm-up: the batch, and the report's library and fonts, loaded once in a session.
    Batch(Variants(3), false, folders);
    OneReport(folders);

    std::vector<double> batches, starts, keys, reports;
    for (int round = 0; round < rounds; ++round) {
        batches.push_back(Batch(batch, false, folders));
        starts.push_back(StartUps(startups));
        // Each first in every other round: the batch after the start-ups finds the machine's caches cold.
        const bool keyFirst = round % 2 == 0;
        const double first = Batch(key, keyFirst, folders), second = Batch(key, !keyFirst, folders);
        keys.push_back(keyFirst ? first - second : second - first);
        reports.push_back(OneReport(folders));
    }
    std::printf("%d variants to files and ответы.csv: %.0f ms; %d start-ups to the first paint: %.0f ms; ratio %.2f "
                "(at most 1)\n",
                variants, Median(batches), startups, Median(starts), Median(batches) / Median(starts));
    std::printf("the answer key of %d variants: %.0f ms; one PDF report: %.0f ms; ratio %.2f (at most 3)\n",
                kKeyVariants, Median(keys), Median(reports), Median(keys) / Median(reports));
    // What the key's ratio is made of: a variant's report there against the whole of one report on its own.
    std::printf("a variant in the key: %.1f ms, %.2f of one report\n", Median(keys) / kKeyVariants,
                Median(keys) / kKeyVariants / Median(reports));
    std::printf("medians of %d rounds\n", rounds);
    DestroyForms();
    return 0;
}
