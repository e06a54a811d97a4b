// The same 100-run tolerance analysis of the symmetric trigger with one worker and with one for each core, side by
// side, and the one-worker time against as many single simulations in-process.
#include "app/forms.h"
#include "number_text/decimal_mark.h"
#include "simulation/simulation.h"
#include "tolerance/ngspice_processes.h"
#include "tolerance/tolerance_analysis.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A design that switches at every input in both corners.
const std::vector<std::pair<const char *, const char *>> kForm2 = {
    {"Edit1", "10"},   {"Edit2", "20"},     {"Edit3", "50"},   {"Edit4", "12"},     {"Edit5", "5"},
    {"Edit6", "30"},   {"Edit7", "2"},      {"Edit8", "50"},   {"Edit9", "70"},     {"Edit10", "1000"},
    {"Edit11", "1,5"}, {"Edit12", "47000"}, {"Edit13", "1,5"}, {"Edit14", "18000"}, {"Edit15", "47"},
    {"Edit16", "2"},   {"Edit17", "5100"},
};

template <class Run>
double Seconds(const Run &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The median of the times: the machine is shared, and a run that another program slowed is an outlier.
double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    CreateForms();
    DecimalMark = ','; // as the design is typed
    QWidget *window = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        window = top->objectName() == u"Form2" ? top : window;
    for (const auto &[box, text] : kForm2)
        window->findChild<QLineEdit *>(QLatin1StringView(box))->setText(QString::fromUtf8(text));
    for (int step = 1; auto *button = window->findChild<QPushButton *>(QStringLiteral("Button%1").arg(step)); ++step)
        button->click();
    const Outcome<std::vector<TolerancePart>> found = ToleranceParts(window);
    const std::vector<TolerancePart> parts = found ? *found : std::vector<TolerancePart>{};
    const auto analyse = [&](int jobs, int count) {
        ToleranceResult result;
        if (const Outcome<> analysed =
                AnalyseTolerance(window, parts, {.runs = count, .jobs = jobs, .findMargins = false}, &result);
            !analysed)
            std::fprintf(stderr, "%s\n", qPrintable(analysed.Message()));
        return result.works;
    };
    const auto simulate = [&] {
        for (int k = 0; k <= runs; ++k) {
            SimulationReport report;
            (void)Simulate(window, &report);
        }
    };
    // ngspice, its libraries and the in-process session loaded once before anything is timed.
    analyse(DefaultJobs(), 2);
    SimulationReport warmUp;
    (void)Simulate(window, &warmUp);
    int works[2] = {};
    std::vector<double> one, every, inProcess;
    // Interleaved, so that a busy spell of the machine falls on each.
    for (int repeat = 0; repeat < repeats; ++repeat) {
        one.push_back(Seconds([&] { works[0] = analyse(1, runs); }));
        every.push_back(Seconds([&] { works[1] = analyse(DefaultJobs(), runs); }));
        inProcess.push_back(Seconds(simulate));
    }
    const double building = Seconds([&] {
        for (int k = 0; k <= runs; ++k) {
            Circuit circuit;
            (void)BuildCircuit(window, &circuit);
            circuit.netlist.Text();
        }
    });
    std::printf("%d runs (+1 nominal), working: %d and %d; building their netlists alone: %.2f s\n", runs, works[0],
                works[1], building);
    std::printf("%-34s %10s %8s\n", qPrintable(QStringLiteral("median of %1, interleaved").arg(repeats)), "s", "ratio");
    const double oneTime = Median(one), everyTime = Median(every), inProcessTime = Median(inProcess);
    std::printf("%-34s %10.2f %8.3f\n", "one worker", oneTime, 1.0);
    std::printf("%-34s %10.2f %8.3f  (at most 0.6)\n",
                qPrintable(QStringLiteral("%1 workers (one a core)").arg(DefaultJobs())), everyTime,
                everyTime / oneTime);
    std::printf("%-34s %10.2f %8.3f  (one worker / this: at most 1.2 → %.3f)\n", "single simulations in-process",
                inProcessTime, inProcessTime / oneTime, oneTime / inProcessTime);
    return 0;
}
